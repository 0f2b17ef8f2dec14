// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;

namespace modflash {

class UpdateSession;

// The progress bar and the banner under the log. The bar shows the tool's phase and
// its percentage, runs as a busy indicator where the tool gives no numbers, and rests at the
// final state once the verdict is in. The banner says what the update is doing and how it
// ended. A notice (a refused drop) takes the banner's place until an update starts or ends.
class UpdateStatusPanel : public QObject {
    Q_OBJECT

public:
    UpdateStatusPanel(QProgressBar* bar, QLabel* banner, const UpdateSession& session,
                      QObject* parent = nullptr);

    void showNotice(const QString& text);
    void clearNotice();
    // Forgets the last update's verdict and progress (not while one runs).
    void clear();

private:
    void connectSignals();
    void refresh();
    void showProgress();
    void showBanner();

    QPointer<QProgressBar> m_bar;
    QPointer<QLabel> m_banner;
    const UpdateSession& m_session;
    QString m_notice;
    bool m_cleared = false;
};

} // namespace modflash
