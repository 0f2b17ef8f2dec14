// The sleep lock while an update runs from the window, against a stand-in logind on a private
// message bus.

#include "FakeLogind.h"
#include "SleepInhibitor.h"
#include "WindowHarness.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace modflash;
using namespace modflash::testing;

namespace {
constexpr int timeout = 30000; // ms; generous for a loaded machine, never a measure
}

class SleepLockWindowTest : public QObject, WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lockIsHeldWhileTheToolRunsAndGivenBackAfter();

private:
    QProcess m_bus;
    QString m_address;
    std::unique_ptr<FakeLogind> m_logind;
    std::unique_ptr<SleepInhibitor> m_inhibitor;
};

void SleepLockWindowTest::init() {
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        QSKIP("dbus-daemon is not installed, so no private bus can be started");
    m_bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                         QStringLiteral("--print-address=1")});
    QVERIFY(m_bus.waitForStarted(timeout));
    QTRY_VERIFY_WITH_TIMEOUT(m_bus.canReadLine(), timeout);
    m_address = QString::fromUtf8(m_bus.readLine().trimmed());
    m_logind = std::make_unique<FakeLogind>();
    QDBusConnection service = QDBusConnection::connectToBus(m_address, QStringLiteral("logind"));
    QVERIFY(service.isConnected());
    QVERIFY(service.registerObject(QString::fromLatin1(SleepInhibitor::path), m_logind.get(),
                                   QDBusConnection::ExportAllSlots));
    QVERIFY(service.registerService(QString::fromLatin1(SleepInhibitor::service)));
}

void SleepLockWindowTest::cleanup() {
    reset(); // the window before the lock it holds
    m_inhibitor.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
    m_logind.reset();
    if (m_bus.state() != QProcess::NotRunning) {
        m_bus.terminate();
        m_bus.waitForFinished(timeout);
    }
}

void SleepLockWindowTest::lockIsHeldWhileTheToolRunsAndGivenBackAfter() {
    resources().installTools("echo started\n" + gate() + "exit 0\n");
    m_inhibitor = std::make_unique<SleepInhibitor>(
        QDBusConnection::connectToBus(m_address, QStringLiteral("client")));
    const SleepInhibitor& inhibitor = *m_inhibitor;
    start(std::nullopt, m_inhibitor.get());
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    QVERIFY(!m_logind->lockOpen());
    clickUpdate();
    QTRY_VERIFY_WITH_TIMEOUT(inhibitor.isHeld(), timeout);
    QVERIFY(m_logind->lockOpen());
    QCOMPARE(m_logind->lastRequest().value(3), QStringLiteral("block"));

    openGate();
    QVERIFY(waitForFinish());
    QVERIFY(!inhibitor.isHeld());
    QTRY_VERIFY_WITH_TIMEOUT(!m_logind->lockOpen(), timeout);
    QCOMPARE(m_logind->requests(), 1);
}

QTEST_MAIN(SleepLockWindowTest)
#include "SleepLockWindowTest.moc"
