// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

class QDBusPendingCallWatcher;

namespace modflash {

// Asks the desktop not to suspend or go idle while an update writes to a module: a "block"
// inhibitor lock from logind over the system bus, held as long as its file descriptor stays
// open. Everything is asynchronous; without a system bus or logind the lock is simply not
// held, which is no error for the update.
class SleepInhibitor : public QObject {
    Q_OBJECT

public:
    static constexpr const char* service = "org.freedesktop.login1";
    static constexpr const char* path = "/org/freedesktop/login1";
    static constexpr const char* interface = "org.freedesktop.login1.Manager";

    // On the system bus.
    explicit SleepInhibitor(QObject* parent = nullptr);
    // On another bus (tests).
    explicit SleepInhibitor(const QDBusConnection& bus, QObject* parent = nullptr);
    ~SleepInhibitor() override;

    // Ask for the lock; does nothing while it is held or asked for.
    void acquire();
    // Give the lock back, or drop it as soon as a pending request returns.
    void release();

    bool isHeld() const { return m_lock.isValid(); }

signals:
    void heldChanged(bool held);

private:
    void replyArrived(QDBusPendingCallWatcher* watcher);

    QDBusConnection m_bus;
    QDBusPendingCallWatcher* m_pending = nullptr; // child of this object
    QDBusUnixFileDescriptor m_lock;
    bool m_wanted = false;
};

} // namespace modflash
