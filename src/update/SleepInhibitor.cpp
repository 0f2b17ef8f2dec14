// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/SleepInhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace modflash {

SleepInhibitor::SleepInhibitor(QObject* parent)
    : SleepInhibitor(QDBusConnection::systemBus(), parent) {}

SleepInhibitor::SleepInhibitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus) {}

SleepInhibitor::~SleepInhibitor() = default;

void SleepInhibitor::acquire() {
    m_wanted = true;
    if (isHeld() || m_pending)
        return;
    if (!m_bus.isConnected()) {
        m_lastError = QStringLiteral("no system bus to ask logind over");
        return;
    }
    if (!(m_bus.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing)) {
        m_lastError = QStringLiteral("the bus cannot pass the lock's file descriptor");
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << QStringLiteral("modflash")
         << QStringLiteral("Updating module firmware") << QStringLiteral("block");
    m_pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(m_pending, &QDBusPendingCallWatcher::finished, this, &SleepInhibitor::replyArrived);
}

void SleepInhibitor::release() {
    m_wanted = false;
    if (!isHeld())
        return;
    // Closing the last copy of the descriptor ends the lock.
    m_lock = QDBusUnixFileDescriptor();
    emit heldChanged(false);
}

void SleepInhibitor::replyArrived(QDBusPendingCallWatcher* watcher) {
    watcher->deleteLater();
    m_pending = nullptr;
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *watcher;
    if (reply.isError()) {
        m_lastError =
            reply.error().message().isEmpty() ? reply.error().name() : reply.error().message();
        return;
    }
    QDBusUnixFileDescriptor lock = reply.value();
    if (!lock.isValid()) {
        m_lastError = QStringLiteral("logind returned no lock");
        return;
    }
    m_lastError.clear();
    // Released while the request was under way: the lock goes out of scope and closes here.
    if (!m_wanted)
        return;
    m_lock = std::move(lock);
    emit heldChanged(true);
}

} // namespace modflash
