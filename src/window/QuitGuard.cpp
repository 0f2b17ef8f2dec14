// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/QuitGuard.h"

#include "update/UpdateSession.h"

#include <QCloseEvent>
#include <QWidget>

namespace modflash {

QuitGuard::QuitGuard(QWidget* window, UpdateSession& session, WindowServices::Confirmer confirm,
                     QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_session(session)
    , m_confirm(std::move(confirm)) {
    connectSignals();
}

WindowServices::Question QuitGuard::question() {
    return {tr("Stop the Update?"),
            tr("An update is running. Stopping it now may leave the module without working "
               "firmware."),
            tr("Stop and Quit"), tr("Keep Updating")};
}

void QuitGuard::connectSignals() {
    m_window->installEventFilter(this);
    connect(&m_session, &UpdateSession::finished, this, &QuitGuard::updateFinished);
}

bool QuitGuard::eventFilter(QObject* watched, QEvent* event) {
    // The type first: a window being destroyed is by then no widget to compare with.
    if (event->type() != QEvent::Close || watched != m_window || !m_session.isBusy())
        return QObject::eventFilter(watched, event);
    event->ignore();
    // Already asking, or already waiting for the stopped tool: the window closes when it ends.
    if (m_asking || m_closeWhenFinished)
        return true;
    m_asking = true;
    QPointer<QuitGuard> self(this);
    m_confirm(m_window, question(), [self](bool stop) {
        if (self)
            self->answered(stop);
    });
    return true;
}

void QuitGuard::answered(bool stop) {
    m_asking = false;
    // The update may have ended while the question was open; then the window just closes.
    if (stop && !m_closeWhenFinished)
        stopThenClose();
}

void QuitGuard::stopThenClose() {
    if (!m_session.isBusy()) {
        closeLater();
        return;
    }
    m_closeWhenFinished = true;
    m_session.stop();
}

void QuitGuard::updateFinished() {
    if (!m_closeWhenFinished)
        return;
    m_closeWhenFinished = false;
    closeLater();
}

void QuitGuard::closeLater() {
    // Not from inside the run's own signal: the window's close may end the application.
    if (m_window)
        QMetaObject::invokeMethod(m_window, &QWidget::close, Qt::QueuedConnection);
}

} // namespace modflash
