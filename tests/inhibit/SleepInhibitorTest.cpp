// The inhibitor lock without a system bus, and against a stand-in logind on a private bus.
#include "SleepInhibitor.h"

#include "FakeLogind.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <functional>

namespace modflash {
namespace {

using testing::FakeLogind;

// Runs the event loop until the condition holds; false if it never does within a generous
// limit (a hang guard, not a speed requirement).
bool eventually(const std::function<bool()>& condition) {
    const QDeadlineTimer deadline(30000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

TEST(SleepInhibitorWithoutBus, acquireAndReleaseAreHarmless) {
    // main() points the system bus at a socket that does not exist.
    SleepInhibitor inhibitor;
    int changes = 0;
    QObject::connect(&inhibitor, &SleepInhibitor::heldChanged, [&] { ++changes; });
    inhibitor.acquire();
    QCoreApplication::processEvents();
    EXPECT_FALSE(inhibitor.isHeld());
    EXPECT_FALSE(inhibitor.lastError().isEmpty());
    inhibitor.release();
    inhibitor.release();
    EXPECT_FALSE(inhibitor.isHeld());
    EXPECT_EQ(changes, 0);
}

// A private message bus with the stand-in logind on its own connection.
class PrivateBus : public ::testing::Test {
protected:
    void SetUp() override {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed, so no private bus can be started";
        busProcess.start(daemon, {"--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(busProcess.waitForStarted(30000));
        ASSERT_TRUE(eventually([&] { return busProcess.canReadLine(); }))
            << busProcess.readAllStandardError().toStdString();
        address = QString::fromUtf8(busProcess.readLine().trimmed());

        QDBusConnection service = QDBusConnection::connectToBus(address, "logind");
        ASSERT_TRUE(service.isConnected()) << service.lastError().message().toStdString();
        ASSERT_TRUE(
            service.registerObject(SleepInhibitor::path, &logind, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(SleepInhibitor::service));
    }

    void TearDown() override {
        QDBusConnection::disconnectFromBus("client");
        QDBusConnection::disconnectFromBus("logind");
        if (busProcess.state() != QProcess::NotRunning) {
            busProcess.terminate();
            busProcess.waitForFinished(30000);
        }
    }

    QDBusConnection client() const { return QDBusConnection::connectToBus(address, "client"); }

    QProcess busProcess;
    QString address;
    FakeLogind logind;
};

TEST_F(PrivateBus, holdsABlockingLockUntilReleased) {
    SleepInhibitor inhibitor(client());
    std::vector<bool> changes;
    QObject::connect(&inhibitor, &SleepInhibitor::heldChanged,
                     [&](bool held) { changes.push_back(held); });
    inhibitor.acquire();
    inhibitor.acquire(); // asked for already: no second request
    EXPECT_FALSE(inhibitor.isHeld()) << "the request is asynchronous";
    ASSERT_TRUE(eventually([&] { return inhibitor.isHeld(); }))
        << inhibitor.lastError().toStdString();
    EXPECT_EQ(logind.requests(), 1);
    EXPECT_EQ(logind.lastRequest(),
              (QStringList{"sleep:idle", "modflash", "Updating module firmware", "block"}));
    EXPECT_TRUE(logind.lockOpen());

    inhibitor.acquire(); // held already
    inhibitor.release();
    EXPECT_FALSE(inhibitor.isHeld());
    EXPECT_TRUE(eventually([&] { return !logind.lockOpen(); })) << "the lock stayed open";
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
    EXPECT_EQ(logind.requests(), 1);
}

TEST_F(PrivateBus, releaseBeforeTheReplyDropsTheLockOnArrival) {
    SleepInhibitor inhibitor(client());
    inhibitor.acquire();
    inhibitor.release();
    ASSERT_TRUE(eventually([&] { return logind.requests() == 1; }));
    EXPECT_TRUE(eventually([&] { return !logind.lockOpen(); })) << "the late lock stayed open";
    EXPECT_FALSE(inhibitor.isHeld());
}

TEST_F(PrivateBus, refusalOrAbsentLogindLeavesTheLockUnheld) {
    logind.setRefusing(true);
    SleepInhibitor refused(client());
    refused.acquire();
    ASSERT_TRUE(eventually([&] { return !refused.lastError().isEmpty(); }));
    EXPECT_EQ(refused.lastError(), "Permission denied");
    EXPECT_FALSE(refused.isHeld());

    QDBusConnection("logind").unregisterService(SleepInhibitor::service);
    SleepInhibitor unanswered(client());
    unanswered.acquire();
    ASSERT_TRUE(eventually([&] { return !unanswered.lastError().isEmpty(); }));
    EXPECT_FALSE(unanswered.isHeld());
    unanswered.release();
}

} // namespace
} // namespace modflash

int main(int argc, char** argv) {
    // No system bus for these tests, whatever the machine has.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/modflash-test/system_bus_socket");
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
