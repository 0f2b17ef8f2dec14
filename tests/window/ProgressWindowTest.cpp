// The progress bar and the verdict banner beside the log, with shell scripts standing in for the
// flashing tools. The scripts wait half-way for the test to open a gate, so the bar is looked
// at while the tool is surely in the middle of its work.

#include "TestResources.h"
#include "WindowHarness.h"

#include "SleepInhibitor.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace modflash;
using namespace modflash::testing;

namespace {

constexpr int toolTimeout = 30000; // ms; generous for a loaded machine, never a measure

const QString wendrel = QStringLiteral("Wendrel");
const QString parvonne = QStringLiteral("Parvonne (rev009 or Higher)");
const QString zembro = QStringLiteral("Zembro");

// avrdude 7 writing a flash image into a pipe: one "#" per 2 %.
QByteArray avrdudeScript(const QByteArray& waitForGate) {
    return "printf 'avrdude: AVR device initialized and ready to accept instructions\\n'\n"
           "printf 'avrdude: writing 504 bytes flash ...\\n\\nWriting | '\n"
           "printf '#########################'\n" +
           waitForGate +
           "printf '#########################'\n"
           "printf ' | 100%% 0.62s\\n\\navrdude: 504 bytes of flash written\\n'\n";
}

// dfu-util 0.11 redrawing its bar after carriage returns.
QByteArray dfuUtilProgress(const char* label, int from, int to) {
    QByteArray script;
    for (int percent = from; percent <= to; percent += 5)
        script += QByteArray("printf '\\r") + label + "\\t[==========]  " +
                  QByteArray::number(percent) + "%%   " + QByteArray::number(percent * 450) +
                  " bytes'\n";
    return script;
}

QByteArray dfuUtilScript(const QByteArray& waitForGate, const QByteArray& ending) {
    return "printf 'Opening DFU capable USB device...\\nDevice ID 0483:df11\\n'\n" +
           dfuUtilProgress("Erase   ", 0, 100) + "printf '\\nErase    done.\\n'\n" +
           dfuUtilProgress("Download", 0, 45) + waitForGate + dfuUtilProgress("Download", 50, 100) +
           "printf '\\nDownload done.\\n'\n" + ending;
}

} // namespace

class ProgressWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void barFollowsAvrdudeAndRestsAtDone();
    void barFollowsDfuUtil();
    void openocdPhasesAreBusy();
    void failureShowsTheToolsLastErrorLine();
    void dfuUtilErrorAfterTheDownloadSaysTheImageIsWritten();
    void stopIsSaidAsSuch();
    void absentSleepLockDoesNotHinderTheUpdate();

private:
    void start(bool factoryFirmware = false);
    void choose(const QString& product, const QString& version);
    void clickUpdate();
    void waitForFinish();
    QByteArray gate() const;
    void openGate() const;
    QProgressBar* bar() const { return m_window->controls.progressBar; }
    QString banner() const { return m_window->controls.bannerLabel->text(); }

    std::unique_ptr<TestResources> m_resources;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<WindowHarness> m_window;
    std::unique_ptr<QSignalSpy> m_finished;
};

void ProgressWindowTest::init() {
    m_resources = std::make_unique<TestResources>();
    m_home = std::make_unique<QTemporaryDir>();
}

void ProgressWindowTest::cleanup() {
    m_finished.reset();
    m_window.reset();
    m_home.reset();
    m_resources.reset();
}

void ProgressWindowTest::start(bool factoryFirmware) {
    const QString file = m_home->filePath(QStringLiteral("modflash.conf"));
    if (factoryFirmware)
        QSettings(file, QSettings::IniFormat)
            .setValue(QStringLiteral("enable-factory-firmware"), true);
    m_window = std::make_unique<WindowHarness>(m_resources->path(), file);
    m_window->launch();
    m_finished =
        std::make_unique<QSignalSpy>(&m_window->delegate.updateRun(), &UpdateRun::finished);
}

void ProgressWindowTest::choose(const QString& product, const QString& version) {
    m_window->pickProduct(product);
    m_window->pickVersion(version);
}

void ProgressWindowTest::clickUpdate() {
    QTest::mouseClick(m_window->controls.updateButton, Qt::LeftButton);
}

void ProgressWindowTest::waitForFinish() {
    QTRY_COMPARE_WITH_TIMEOUT(m_finished->size(), 1, toolTimeout);
}

// The tool's environment holds no variables of the test's, so the gate's path is written into
// the script itself.
QByteArray ProgressWindowTest::gate() const {
    return "while [ ! -e '" + m_home->filePath(QStringLiteral("gate")).toUtf8() +
           "' ]; do /bin/sleep 0.05; done\n";
}

void ProgressWindowTest::openGate() const {
    QFile file(m_home->filePath(QStringLiteral("gate")));
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void ProgressWindowTest::barFollowsAvrdudeAndRestsAtDone() {
    m_resources->installTools(avrdudeScript(gate()));
    start();
    QVERIFY(!bar()->isVisible()); // nothing to show before the first update
    QVERIFY(banner().isEmpty());
    choose(parvonne, QStringLiteral("2.0"));
    QSignalSpy values(bar(), &QProgressBar::valueChanged);
    clickUpdate();

    QTRY_COMPARE_WITH_TIMEOUT(bar()->value(), 50, toolTimeout);
    QVERIFY(bar()->isVisible());
    QCOMPARE(bar()->maximum(), 100);
    QCOMPARE(bar()->text(), QStringLiteral("Writing flash 50%"));
    QCOMPARE(banner(), QStringLiteral("Updating: Writing flash 50%"));

    openGate();
    waitForFinish();
    QCOMPARE(bar()->value(), 100);
    QVERIFY2(bar()->text().startsWith(QStringLiteral("Writing flash 100%")),
             qPrintable(bar()->text()));
    QCOMPARE(banner(), QStringLiteral("Update completed"));

    QList<int> seen;
    for (const QList<QVariant>& change : values)
        seen << change.first().toInt();
    QVERIFY2(seen.contains(50) && seen.last() == 100, qPrintable(QDebug::toString(seen)));
    QVERIFY2(std::is_sorted(seen.begin(), seen.end()), qPrintable(QDebug::toString(seen)));
    // The log keeps exactly what the tool printed.
    QVERIFY(m_window->delegate.logText().contains(
        QStringLiteral("Writing | ") + QString(50, QLatin1Char('#')) +
        QStringLiteral(" | 100% 0.62s\n\navrdude: 504 bytes of flash written\n")));
}

void ProgressWindowTest::barFollowsDfuUtil() {
    m_resources->installTools(
        dfuUtilScript(gate(), "printf 'File downloaded successfully\\n'\nexit 0\n"));
    start();
    choose(wendrel, QStringLiteral("2.0"));
    QSignalSpy values(bar(), &QProgressBar::valueChanged);
    clickUpdate();

    QTRY_COMPARE_WITH_TIMEOUT(bar()->text(), QStringLiteral("Downloading 45%"), toolTimeout);
    QCOMPARE(bar()->value(), 45);
    openGate();
    waitForFinish();
    QCOMPARE(bar()->value(), 100);
    QCOMPARE(banner(), QStringLiteral("Update completed"));
    QList<int> seen;
    for (const QList<QVariant>& change : values)
        seen << change.first().toInt();
    // The erase runs to 100, then the download starts again from 0.
    QVERIFY2(seen.contains(100) && seen.contains(45) && seen.indexOf(100) < seen.lastIndexOf(45),
             qPrintable(QDebug::toString(seen)));
}

void ProgressWindowTest::openocdPhasesAreBusy() {
    m_resources->installTools(
        "printf 'Open On-Chip Debugger 0.12.0\\nInfo : device id = 0x20006440\\n"
        "Info : flash size = 64 KiB\\nauto erase enabled\\n'\n" +
        gate() +
        "printf 'wrote 28672 bytes from file x.bin in 1.4s\\n\\n"
        "verified 28524 bytes from file x.bin in 0.4s\\n'\nexit 0\n");
    start(true);
    choose(zembro, QStringLiteral("1.0"));
    clickUpdate();
    // The busy indicator draws no text; the phase is in its format and in the banner.
    QTRY_COMPARE_WITH_TIMEOUT(bar()->format(), QStringLiteral("Erasing and writing"), toolTimeout);
    QCOMPARE(bar()->maximum(), 0);
    QCOMPARE(banner(), QStringLiteral("Updating: Erasing and writing"));
    openGate();
    waitForFinish();
    QCOMPARE(bar()->maximum(), 100);
    QCOMPARE(bar()->value(), 100);
    QCOMPARE(banner(), QStringLiteral("Update completed"));
}

void ProgressWindowTest::failureShowsTheToolsLastErrorLine() {
    m_resources->installTools(
        "printf 'avrdude: writing 504 bytes flash ...\\n\\nWriting | ##########'\n"
        "printf '%s' '----------------------------------------'\n"
        "printf ' | 100%% 0.31s\\n\\navrdude: error: programmer did not respond\\n'\nexit 1\n");
    start();
    choose(parvonne, QStringLiteral("2.0"));
    clickUpdate();
    waitForFinish();
    QCOMPARE(banner(), QStringLiteral("Update failed: avrdude: error: programmer did not respond"));
    QCOMPARE(bar()->value(), 20);
    QVERIFY2(bar()->text().contains(QStringLiteral("failed")), qPrintable(bar()->text()));
    QVERIFY(!m_window->delegate.logText().contains(QStringLiteral("Update failed")));
}

void ProgressWindowTest::dfuUtilErrorAfterTheDownloadSaysTheImageIsWritten() {
    m_resources->installTools(
        dfuUtilScript("", "printf 'File downloaded successfully\\nSubmitting leave request...\\n"
                          "dfu-util: Error during download get_status\\n'\nexit 74\n"));
    start();
    choose(wendrel, QStringLiteral("2.0"));
    clickUpdate();
    waitForFinish();
    QVERIFY2(banner().startsWith(QStringLiteral("The image was written completely")),
             qPrintable(banner()));
    QVERIFY(banner().contains(QStringLiteral("dfu-util: Error during download get_status")));
    QCOMPARE(bar()->value(), 100);
    QVERIFY2(!bar()->text().contains(QStringLiteral("failed")), qPrintable(bar()->text()));
}

void ProgressWindowTest::stopIsSaidAsSuch() {
    m_resources->installTools(avrdudeScript(gate()));
    start();
    choose(parvonne, QStringLiteral("2.0"));
    clickUpdate();
    QTRY_COMPARE_WITH_TIMEOUT(bar()->value(), 50, toolTimeout);
    QTest::mouseClick(m_window->controls.stopButton, Qt::LeftButton);
    if (m_finished->isEmpty())
        QVERIFY2(banner().startsWith(QStringLiteral("Stopping")), qPrintable(banner()));
    waitForFinish();
    QVERIFY2(banner().startsWith(QStringLiteral("Update stopped")), qPrintable(banner()));
    QCOMPARE(bar()->value(), 50);
    QVERIFY2(bar()->text().contains(QStringLiteral("failed")), qPrintable(bar()->text()));

    // The next update starts from a clean bar and banner.
    m_resources->installTools("exit 0\n");
    clickUpdate();
    QTRY_COMPARE_WITH_TIMEOUT(m_finished->size(), 2, toolTimeout);
    QCOMPARE(banner(), QStringLiteral("Update completed"));
}

void ProgressWindowTest::absentSleepLockDoesNotHinderTheUpdate() {
    // The test's environment points the system bus at a socket that does not exist.
    m_resources->installTools(avrdudeScript(gate()));
    start();
    choose(parvonne, QStringLiteral("2.0"));
    clickUpdate();
    QTRY_COMPARE_WITH_TIMEOUT(bar()->value(), 50, toolTimeout);
    const SleepInhibitor& lock = m_window->delegate.sleepInhibitor();
    QVERIFY(!lock.isHeld());
    QVERIFY2(!lock.lastError().isEmpty(), "the lock was never asked for");
    openGate();
    waitForFinish();
    QCOMPARE(banner(), QStringLiteral("Update completed"));
}

QTEST_MAIN(ProgressWindowTest)
#include "ProgressWindowTest.moc"
