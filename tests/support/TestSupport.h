// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <functional>
#include <ostream>

namespace modflash::testing {

// Runs the event loop until the condition holds; false if it never does within a generous
// limit (a hang guard, not a speed requirement).
inline bool eventually(const std::function<bool()>& condition, int limitMs = 30000) {
    const QDeadlineTimer deadline(limitMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A private message bus of its own, for a stand-in logind; not started where dbus-daemon is
// missing.
class PrivateBus {
public:
    PrivateBus() {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            return;
        m_process.start(daemon, {"--session", "--nofork", "--print-address=1"});
        if (m_process.waitForStarted(30000) && eventually([&] { return m_process.canReadLine(); }))
            m_address = QString::fromUtf8(m_process.readLine().trimmed());
    }
    ~PrivateBus() {
        m_process.terminate();
        m_process.waitForFinished(30000);
    }
    bool isRunning() const { return !m_address.isEmpty(); }
    QDBusConnection connect(const QString& name) const {
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QProcess m_process;
    QString m_address;
};

} // namespace modflash::testing

// Lets test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toStdString() << '"';
}
