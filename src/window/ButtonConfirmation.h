// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>

class QPushButton;

namespace modflash {

// Says on a button, for a few seconds, that what it did is done ("Copied"), then shows the
// button's own text again. The confirmation stands where the person looks and takes no other
// line's place: the verdict beside the button stays as it was.
class ButtonConfirmation : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds shownFor{3000};

    explicit ButtonConfirmation(QPushButton* button, QObject* parent = nullptr);

    void confirm(const QString& text);

private:
    void restore();

    QPointer<QPushButton> m_button;
    QString m_ownText;
    QTimer m_timer;
};

} // namespace modflash
