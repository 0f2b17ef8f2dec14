// Running an update from the window, with shell scripts standing in for the flashing tools:
// the log's texts, the controls while a tool runs, Stop, and closing the window meanwhile.

#include "Preferences.h"
#include "QuitGuard.h"
#include "TestResources.h"
#include "WindowHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace modflash;
using namespace modflash::testing;

namespace {

constexpr int toolTimeout = 30000; // ms; generous for a loaded machine, never a measure

const QString firstText =
    QStringLiteral("Select a product and version above, then hit \"Update\" to begin\n");
const QString success = QStringLiteral("UPDATE COMPLETED SUCCESSFULLY\n");
const QString error = QStringLiteral("ERROR DURING UPDATE\n");
const QString failureNotes = QStringLiteral(
    "\nIMPORTANT\nNOTE: Disregard any error messages following the \"Download Done.\" message.\n"
    "      If \"Download Done.\" is displayed and the download reached 100%, your\n"
    "      update was completed successfully!\n\n"
    "      If your download did not complete, please ensure your module\n"
    "      is in Bootloader/DFU mode as per the instructions\n"
    "      and/or try another USB cable.\n\n");

} // namespace

class UpdateWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void successWritesHeaderOutputAndVerdict();
    void failedToolGetsBothNotesInEveryFamily_data();
    void failedToolGetsBothNotesInEveryFamily();
    void toolThatCannotStart();
    void missingConfigurationMeansNoHeader();
    void outputPassesThroughUnchanged();
    void secondUpdateAppendsBelowTheFirst();
    void largeOutputArrivesWhole();
    void controlsWhileRunningAndStop();
    void toolIgnoringTerminationIsKilledOnSecondStop();
    void closingWhileRunningAsksAndWaitsForTheTool();
    void closingWhenIdleDoesNotAsk();
    void terminateStopsTheToolWithoutAsking();

private:
    void start(bool factoryFirmware = false);
    void choose(const QString& product, const QString& version);
    void runToEnd();
    QString log() const { return m_window->controls.logTextField->toPlainText(); }
    QString header(const QString& product, const QString& version) const;
    bool controlsIdle() const;
    bool controlsBusy() const;

    std::unique_ptr<TestResources> m_resources;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<WindowHarness> m_window;
};

void UpdateWindowTest::init() {
    m_resources = std::make_unique<TestResources>();
    m_home = std::make_unique<QTemporaryDir>();
}

void UpdateWindowTest::cleanup() {
    m_window.reset();
    m_home.reset();
    m_resources.reset();
}

void UpdateWindowTest::start(bool factoryFirmware) {
    const QString file = m_home->filePath(QStringLiteral("modflash.conf"));
    if (factoryFirmware)
        QSettings(file, QSettings::IniFormat)
            .setValue(QStringLiteral("enable-factory-firmware"), true);
    m_window = std::make_unique<WindowHarness>(m_resources->path(), file);
    m_window->launch();
}

void UpdateWindowTest::choose(const QString& product, const QString& version) {
    m_window->pickProduct(product);
    m_window->pickVersion(version);
    QVERIFY(m_window->controls.updateButton->isEnabled());
}

void UpdateWindowTest::runToEnd() {
    QSignalSpy finished(&m_window->delegate.updateRun(), &UpdateRun::finished);
    QTest::mouseClick(m_window->controls.updateButton, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, toolTimeout);
}

QString UpdateWindowTest::header(const QString& product, const QString& version) const {
    const ProductPtr chosen = m_window->delegate.products().productWithTitle(product.toStdString());
    for (const FirmwarePtr& firmware : chosen->getAllFirmware(m_resources->directory())) {
        if (QString::fromStdString(firmware->version()) == version) {
            const UpdateTask task = chosen->createUpdateTask(*firmware, m_resources->directory(),
                                                             m_window->preferences);
            return QStringLiteral("\nUpdating %1 firmware with command:\n%2\n")
                .arg(product, QString::fromStdString(task.commandLine()));
        }
    }
    qFatal("no version %s", qPrintable(version));
}

bool UpdateWindowTest::controlsIdle() const {
    const WindowControls& c = m_window->controls;
    return !c.stopButton->isEnabled() && c.productList->isEnabled() &&
           c.factoryFirmwareEnable->isEnabled() && c.versionList->isEnabled();
}

bool UpdateWindowTest::controlsBusy() const {
    const WindowControls& c = m_window->controls;
    return c.stopButton->isEnabled() && !c.updateButton->isEnabled() &&
           !c.productList->isEnabled() && !c.versionList->isEnabled() &&
           !c.factoryFirmwareEnable->isEnabled();
}

void UpdateWindowTest::successWritesHeaderOutputAndVerdict() {
    m_resources->installTools("echo \"writing $#\"\necho 'to stderr' >&2\nexit 0\n");
    start();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    QCOMPARE(m_window->controls.tabView->currentIndex(), 0);
    runToEnd();

    QCOMPARE(m_window->controls.tabView->currentIndex(), 1);
    const QString expected = firstText + QStringLiteral("BEGINNING UPDATE\n") +
                             header(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    QVERIFY2(log().startsWith(expected), qPrintable(log()));
    QVERIFY(log().endsWith(QStringLiteral("to stderr\n") + success));
    QVERIFY(log().contains(QStringLiteral("\nwriting ")));
    QVERIFY(!m_window->delegate.isRunning());
    QVERIFY(controlsIdle());
    QVERIFY(m_window->controls.updateButton->isEnabled());
}

void UpdateWindowTest::failedToolGetsBothNotesInEveryFamily_data() {
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("version");
    QTest::newRow("avr") << QStringLiteral("Parvonne (rev009 or Higher)") << QStringLiteral("1.1");
    QTest::newRow("dfu") << QStringLiteral("Wendrel") << QStringLiteral("1.4.2");
    QTest::newRow("swd") << QStringLiteral("Zembro") << QStringLiteral("1.0");
}

void UpdateWindowTest::failedToolGetsBothNotesInEveryFamily() {
    QFETCH(QString, product);
    QFETCH(QString, version);
    m_resources->installTools("echo 'no device found'\nexit 1\n");
    start(true);
    choose(product, version);
    runToEnd();
    QCOMPARE(log(), firstText + QStringLiteral("BEGINNING UPDATE\n") + header(product, version) +
                        QStringLiteral("no device found\n") + failureNotes);
    QVERIFY(controlsIdle());
}

void UpdateWindowTest::toolThatCannotStart() {
    m_resources->installTools("exit 0\n");
    m_resources->removeFile(QStringLiteral("dfu-util"));
    start();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                           "^Problem running task: could not start .*dfu-util")));
    runToEnd();
    QCOMPARE(log(), firstText + QStringLiteral("BEGINNING UPDATE\n") +
                        header(QStringLiteral("Wendrel"), QStringLiteral("2.0")) + error);
    QVERIFY(!m_window->delegate.isRunning());
    QVERIFY(controlsIdle());
    QCOMPARE(m_window->controls.tabView->currentIndex(), 1);
}

void UpdateWindowTest::missingConfigurationMeansNoHeader() {
    m_resources->installTools("exit 0\n");
    m_resources->removeFile(QStringLiteral("avrdude.conf"));
    start();
    choose(QStringLiteral("Parvonne (rev009 or Higher)"), QStringLiteral("2.0"));
    QTest::ignoreMessage(
        QtWarningMsg, QRegularExpression(QStringLiteral("^Problem running task: .*avrdude.conf")));
    runToEnd();
    QCOMPARE(log(), firstText + QStringLiteral("BEGINNING UPDATE\n") + error);
    QVERIFY(controlsIdle());
}

void UpdateWindowTest::outputPassesThroughUnchanged() {
    // "%" and "%@" stay; a character split between two writes arrives whole; an invalid byte
    // shows as U+FFFD; a progress bar redrawn with "\r" shows its last state; output without a
    // final newline is continued by the verdict.
    m_resources->installTools("printf '100%% %%@ %%d\\n'\n"
                              "printf 'caf\\303'\n/bin/sleep 0.2\nprintf '\\251 \\377\\r\\n'\n"
                              "printf ' 10%%\\r 50%%\\r100%%\\n'\n"
                              "printf 'no newline'\nexit 0\n");
    start();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    runToEnd();
    const QString tail = QStringLiteral("100% %@ %d\ncaf\u00e9 \ufffd\n100%\nno newline") + success;
    QVERIFY2(log().endsWith(header(QStringLiteral("Wendrel"), QStringLiteral("2.0")) + tail),
             qPrintable(log()));
}

void UpdateWindowTest::secondUpdateAppendsBelowTheFirst() {
    m_resources->installTools("echo \"run\"\nexit 0\n");
    start();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    runToEnd();
    const QString first = log();
    m_window->pickVersion(QStringLiteral("1.4.2"));
    runToEnd();
    QVERIFY(log().startsWith(first));
    QCOMPARE(log().mid(first.size()),
             QStringLiteral("BEGINNING UPDATE\n") +
                 header(QStringLiteral("Wendrel"), QStringLiteral("1.4.2")) +
                 QStringLiteral("run\n") + success);
}

void UpdateWindowTest::largeOutputArrivesWhole() {
    // 10 MiB in lines of 100 bytes.
    m_resources->installTools("/usr/bin/yes "
                              "'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                              "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' | /usr/bin/head -c 10485760\n");
    start();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    runToEnd();
    const QString before = firstText + QStringLiteral("BEGINNING UPDATE\n") +
                           header(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    const QString text = log();
    QVERIFY(text.startsWith(before));
    QVERIFY(text.endsWith(success));
    QCOMPARE(text.size() - before.size() - success.size(), 10485760);
}

void UpdateWindowTest::controlsWhileRunningAndStop() {
    m_resources->installTools("echo started\nexec /bin/sleep 30\n");
    start();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    QVERIFY(controlsIdle());
    QSignalSpy finished(&m_window->delegate.updateRun(), &UpdateRun::finished);
    QTest::mouseClick(m_window->controls.updateButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(log().endsWith(QStringLiteral("started\n")), toolTimeout);
    QVERIFY(m_window->delegate.isRunning());
    QVERIFY(controlsBusy());

    const QString beforeStop = log();
    QTest::mouseClick(m_window->controls.stopButton, Qt::LeftButton);
    QVERIFY(!m_window->delegate.isRunning()); // at once
    QCOMPARE(log(), beforeStop);              // Stop itself writes nothing
    // Until the tool has ended no second update can start, not even by a stray call.
    if (m_window->delegate.isBusy()) {
        QVERIFY(controlsBusy());
        m_window->delegate.doUpdate();
        QCOMPARE(log(), beforeStop);
    }
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, toolTimeout);
    QCOMPARE(log(), beforeStop + failureNotes);
    QVERIFY(controlsIdle());
    QVERIFY(m_window->controls.updateButton->isEnabled());
    QCOMPARE(m_window->controls.versionList->currentText(), QStringLiteral("2.0"));
}

void UpdateWindowTest::toolIgnoringTerminationIsKilledOnSecondStop() {
    m_resources->installTools("trap '' TERM\necho started\nexec /bin/sleep 60\n");
    start();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    m_window->delegate.updateRun().setGracePeriod(std::chrono::minutes(5));
    QSignalSpy finished(&m_window->delegate.updateRun(), &UpdateRun::finished);
    QTest::mouseClick(m_window->controls.updateButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(log().endsWith(QStringLiteral("started\n")), toolTimeout);

    QTest::mouseClick(m_window->controls.stopButton, Qt::LeftButton);
    QVERIFY(m_window->controls.stopButton->isEnabled()); // still ending: Stop stays pressable
    QTest::mouseClick(m_window->controls.stopButton, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, toolTimeout);
    QVERIFY(log().endsWith(failureNotes));
    QVERIFY(controlsIdle());
}

void UpdateWindowTest::closingWhileRunningAsksAndWaitsForTheTool() {
    m_resources->installTools("trap 'echo stopping; exit 3' TERM\necho started\n"
                              "while :; do /bin/sleep 0.1; done\n");
    start();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    QSignalSpy finished(&m_window->delegate.updateRun(), &UpdateRun::finished);
    QTest::mouseClick(m_window->controls.updateButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(log().endsWith(QStringLiteral("started\n")), toolTimeout);

    // Declining keeps the window and the tool.
    QVERIFY(!m_window->window.close());
    QCOMPARE(m_window->confirmQuestions, QStringList{QuitGuard::question()});
    QCOMPARE(QuitGuard::question(),
             QStringLiteral("An update is running. Stopping it now may leave the module "
                            "without working firmware."));
    m_window->pendingConfirmation(false);
    QVERIFY(m_window->window.isVisible());
    QVERIFY(m_window->delegate.isRunning());

    // Agreeing stops the tool; the window stays until the tool has ended and given its verdict.
    QVERIFY(!m_window->window.close());
    QCOMPARE(m_window->confirmQuestions.size(), 2);
    m_window->pendingConfirmation(true);
    QVERIFY(!m_window->delegate.isRunning());
    QVERIFY(!m_window->window.close()); // asking again while waiting changes nothing
    QCOMPARE(m_window->confirmQuestions.size(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->window.isVisible(), toolTimeout);
    QCOMPARE(finished.size(), 1);
    QVERIFY(log().endsWith(QStringLiteral("stopping\n") + failureNotes));
}

void UpdateWindowTest::closingWhenIdleDoesNotAsk() {
    m_resources->installTools("exit 0\n");
    start();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    runToEnd();
    QVERIFY(m_window->window.close());
    QVERIFY(m_window->confirmQuestions.isEmpty());
}

void UpdateWindowTest::terminateStopsTheToolWithoutAsking() {
    m_resources->installTools("trap 'echo stopping; exit 3' TERM\necho started\n"
                              "while :; do /bin/sleep 0.1; done\n");
    start();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    QTest::mouseClick(m_window->controls.updateButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(log().endsWith(QStringLiteral("started\n")), toolTimeout);

    m_window->delegate.terminate();
    QVERIFY(m_window->confirmQuestions.isEmpty());
    QVERIFY(!m_window->delegate.isRunning());
    QVERIFY(m_window->window.isVisible()); // until the tool has ended
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->window.isVisible(), toolTimeout);
    QVERIFY(log().endsWith(QStringLiteral("stopping\n") + failureNotes));
}

QTEST_MAIN(UpdateWindowTest)
#include "UpdateWindowTest.moc"
