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
    // No system bus to ask logind over, or one that cannot pass the lock's descriptor.
    if (!m_bus.isConnected() ||
        !(m_bus.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing))
        return;
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
    if (reply.isError())
        return;
    QDBusUnixFileDescriptor lock = reply.value();
    if (!lock.isValid())
        return;
    // Released while the request was under way: the lock goes out of scope and closes here.
    if (!m_wanted)
        return;
    m_lock = std::move(lock);
    emit heldChanged(true);
}

} // namespace modflash
