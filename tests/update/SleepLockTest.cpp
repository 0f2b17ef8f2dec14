// SPDX-License-Identifier: GPL-3.0-or-later
// The sleep lock an update holds, asked of a stand-in logind on a private message bus of the
// test's own: the stand-in hands out each lock as the write end of a pipe and keeps the read
// end, so the test sees when every copy of the lock is closed.
#include "TestSupport.h"
#include "ToolDirectory.h"
#include "catalogue/AVRProduct.h"
#include "flashing/Preferences.h"
#include "flashing/Programmers.h"
#include "update/SleepInhibitor.h"
#include "update/UpdateSession.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusUnixFileDescriptor>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace modflash {
namespace {

class FakeLogind : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    ~FakeLogind() override {
        if (m_readEnd >= 0)
            ::close(m_readEnd);
    }
    QStringList lastRequest;
    // True while some copy of the last lock handed out is still open: readable with nothing
    // written means end of file, every write end closed.
    bool lockOpen() const {
        pollfd watch{m_readEnd, POLLIN, 0};
        return m_readEnd >= 0 && ::poll(&watch, 1, 0) == 0;
    }

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode) {
        lastRequest = {what, who, why, mode};
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            sendErrorReply(QDBusError::Failed, QStringLiteral("no pipe"));
            return {};
        }
        if (m_readEnd >= 0)
            ::close(m_readEnd);
        m_readEnd = ends[0];
        // The descriptor object duplicates the write end; ours closes now.
        QDBusUnixFileDescriptor lock(ends[1]);
        ::close(ends[1]);
        return lock;
    }

private:
    int m_readEnd = -1;
};

TEST(SleepLock, IsHeldWhileTheToolRunsAndNoLonger) {
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    if (daemon.isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed, so no private bus can be started";
    QProcess bus;
    bus.start(daemon, {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(bus.waitForStarted());
    ASSERT_TRUE(testing::eventually([&] { return bus.canReadLine(); }));
    const QString address = QString::fromUtf8(bus.readLine().trimmed());
    FakeLogind logind;
    QDBusConnection service = QDBusConnection::connectToBus(address, "logind");
    ASSERT_TRUE(
        service.registerObject(SleepInhibitor::path, &logind, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.registerService(SleepInhibitor::service));
    {
        SleepInhibitor lock(QDBusConnection::connectToBus(address, "client"));
        UpdateSession session(&lock);
        ToolDirectory tools;
        tools.installTool("avrdude", "while [ ! -e '" + tools.filePath("go").toUtf8() +
                                         "' ]; do sleep 0.05; done");
        tools.writeFile("firmware/d.hex", ToolDirectory::validImage("d.hex"));
        MemoryPreferences preferences;
        registerPreferenceDefaults(preferences);
        const ProductPtr drovel = AVRProduct::productWithTitle("Drovel", "drovel_", 0);
        session.start(drovel,
                      drovel->firmwareForPath(tools.filePath("firmware/d.hex").toStdString()),
                      tools.resources(), preferences);
        ASSERT_TRUE(testing::eventually([&] { return logind.lockOpen(); }));
        EXPECT_EQ(logind.lastRequest,
                  (QStringList{"sleep:idle", "modflash", "Updating module firmware", "block"}));
        tools.writeFile("go");
        ASSERT_TRUE(testing::eventually([&] { return !session.isBusy(); }));
        EXPECT_TRUE(testing::eventually([&] { return !logind.lockOpen(); }));
    }
    QDBusConnection::disconnectFromBus("client");
    QDBusConnection::disconnectFromBus("logind");
    bus.terminate();
    bus.waitForFinished();
}

} // namespace
} // namespace modflash

#include "SleepLockTest.moc"
