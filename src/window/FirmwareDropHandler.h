// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QMimeData;

namespace modflash {

// Dropping an image file on the window: the same as choosing "Other..." and then that file,
// under the same rules. A drop that breaks one is refused, with the reason for the user.
class FirmwareDropHandler : public QObject {
    Q_OBJECT

public:
    // What the rules look at, as the window stands when the drop arrives.
    struct Situation {
        bool factoryFirmwareEnabled = false;
        ProductPtr product;
        bool updateUnderWay = false;
    };
    // The file to take, or why the drop is refused: exactly one of the two is set.
    struct Verdict {
        QString path;
        QString refusal;
    };
    using SituationSource = std::function<Situation()>;
    using Accept = std::function<void(const QString& path)>;
    using Refuse = std::function<void(const QString& reason)>;

    // Watches drops on the window, which it makes accept them.
    FirmwareDropHandler(QWidget* window, SituationSource situation, Accept accept, Refuse refuse,
                        QObject* parent = nullptr);

    static Verdict judge(const QMimeData* dropped, const Situation& situation);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool dragEntered(QEvent* event);
    bool dropped(QEvent* event);

    QPointer<QWidget> m_window;
    SituationSource m_situation;
    Accept m_accept;
    Refuse m_refuse;
};

} // namespace modflash
