// The sleep lock while an update runs from the window, against a stand-in logind on a private
// message bus.

#include "FakeLogind.h"
#include "SleepInhibitor.h"
#include "TestResources.h"
#include "WindowHarness.h"

#include <QComboBox>
#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace modflash;
using namespace modflash::testing;

namespace {
constexpr int timeout = 30000; // ms; generous for a loaded machine, never a measure
}

class SleepLockWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lockIsHeldWhileTheToolRunsAndGivenBackAfter();

private:
    QProcess m_bus;
    QString m_address;
    std::unique_ptr<FakeLogind> m_logind;
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
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
    m_logind.reset();
    if (m_bus.state() != QProcess::NotRunning) {
        m_bus.terminate();
        m_bus.waitForFinished(timeout);
    }
}

void SleepLockWindowTest::lockIsHeldWhileTheToolRunsAndGivenBackAfter() {
    TestResources resources;
    QTemporaryDir home;
    const QString gate = home.filePath(QStringLiteral("gate"));
    resources.installTools("echo started\nwhile [ ! -e '" + gate.toUtf8() +
                           "' ]; do /bin/sleep 0.05; done\nexit 0\n");
    SleepInhibitor inhibitor(QDBusConnection::connectToBus(m_address, QStringLiteral("client")));
    WindowHarness window(resources.path(), home.filePath(QStringLiteral("modflash.conf")),
                         &inhibitor);
    window.launch();
    window.pickProduct(QStringLiteral("Wendrel"));
    window.pickVersion(QStringLiteral("2.0"));
    QVERIFY(!m_logind->lockOpen());

    QSignalSpy finished(&window.delegate.updateRun(), &UpdateRun::finished);
    QTest::mouseClick(window.controls.updateButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(inhibitor.isHeld(), timeout);
    QVERIFY(m_logind->lockOpen());
    QCOMPARE(m_logind->lastRequest().value(3), QStringLiteral("block"));

    QFile(gate).open(QIODevice::WriteOnly);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, timeout);
    QVERIFY(!inhibitor.isHeld());
    QTRY_VERIFY_WITH_TIMEOUT(!m_logind->lockOpen(), timeout);
    QCOMPARE(m_logind->requests(), 1);
}

QTEST_MAIN(SleepLockWindowTest)
#include "SleepLockWindowTest.moc"
