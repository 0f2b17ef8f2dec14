// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/WindowServices.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace modflash {

class UpdateSession;

// Keeps the window from closing under a running update: quitting would cut the tool off
// mid-flash. The user is asked first; on confirmation the tool is stopped and the window
// closes only once the tool has ended, without blocking the event loop in between.
class QuitGuard : public QObject {
    Q_OBJECT

public:
    QuitGuard(QWidget* window, UpdateSession& session, WindowServices::Confirmer confirm,
              QObject* parent = nullptr);

    static WindowServices::Question question();

    // Closes the window without asking, as when the session ends: a running tool is stopped
    // first and the window closes once it has ended. Asked again, the tool is killed.
    void stopThenClose();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectSignals();
    void answered(bool stop);
    void updateFinished();
    void closeLater();

    QPointer<QWidget> m_window;
    UpdateSession& m_session;
    WindowServices::Confirmer m_confirm;
    bool m_asking = false;
    bool m_closeWhenFinished = false;
};

} // namespace modflash
