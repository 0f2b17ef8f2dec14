// Running an update from the window, with shell scripts standing in for the flashing tools:
// the log's texts, the controls while a tool runs, Stop, and closing the window meanwhile.

#include "QuitGuard.h"
#include "WindowHarness.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

using namespace modflash;
using namespace modflash::testing;

namespace {

const QString wendrel = QStringLiteral("Wendrel");
const QString firstText =
    QStringLiteral("Select a product and version above, then hit \"Update\" to begin\n");
const QString beginning = QStringLiteral("BEGINNING UPDATE\n");
const QString success = QStringLiteral("UPDATE COMPLETED SUCCESSFULLY\n");
const QString failureNotes = QStringLiteral(
    "\nIMPORTANT\nNOTE: Disregard any error messages following the \"Download Done.\" message.\n"
    "      If \"Download Done.\" is displayed and the download reached 100%, your\n"
    "      update was completed successfully!\n\n"
    "      If your download did not complete, please ensure your module\n"
    "      is in Bootloader/DFU mode as per the instructions\n"
    "      and/or try another USB cable.\n\n");
const QByteArray stoppable = "trap 'echo stopping; exit 3' TERM\necho started\n"
                             "while :; do /bin/sleep 0.1; done\n";

} // namespace

class UpdateWindowTest : public QObject, WindowFixture {
    Q_OBJECT

private slots:
    void cleanup() { reset(); }
    void successLogsHeaderOutputAndVerdictTwice();
    void failedToolGetsBothNotesInEveryFamily_data();
    void failedToolGetsBothNotesInEveryFamily();
    void updateThatCannotStart_data();
    void updateThatCannotStart();
    void outputPassesThroughUnchanged();
    void floodArrivesWholeAndInOrder();
    void controlsWhileRunningAndStop();
    void toolIgnoringTerminationIsKilledOnSecondStop();
    void closingWhileRunningAsksAndWaitsForTheTool();
    void terminateStopsTheToolWithoutAsking();

private:
    void startTool(const QByteArray& script);
    QString header(const QString& product, const QString& version) const;
    bool controlsIdle() const;
    bool controlsBusy() const;
};

QString UpdateWindowTest::header(const QString& product, const QString& version) const {
    const ResourceDirectory directory = resources().directory();
    const ProductPtr chosen = app().delegate.products().productWithTitle(product.toStdString());
    for (const FirmwarePtr& firmware : chosen->getAllFirmware(directory)) {
        if (QString::fromStdString(firmware->version()) == version) {
            const UpdateTask task =
                chosen->createUpdateTask(*firmware, directory, app().preferences);
            return QStringLiteral("\nUpdating %1 firmware with command:\n%2\n")
                .arg(product, QString::fromStdString(task.commandLine()));
        }
    }
    qFatal("no version %s", qPrintable(version));
}

bool UpdateWindowTest::controlsIdle() const {
    const WindowControls& c = controls();
    return !c.stopButton->isEnabled() && c.updateButton->isEnabled() &&
           c.productList->isEnabled() && c.factoryFirmwareEnable->isEnabled() &&
           c.versionList->isEnabled();
}

bool UpdateWindowTest::controlsBusy() const {
    const WindowControls& c = controls();
    return c.stopButton->isEnabled() && !c.updateButton->isEnabled() &&
           !c.productList->isEnabled() && !c.versionList->isEnabled() &&
           !c.factoryFirmwareEnable->isEnabled();
}

// Starts Wendrel 2.0's update with the script as dfu-util and waits for its first line.
void UpdateWindowTest::startTool(const QByteArray& script) {
    resources().installTools(script);
    start();
    choose(wendrel, QStringLiteral("2.0"));
    QVERIFY(controlsIdle());
    clickUpdate();
    QTRY_VERIFY_WITH_TIMEOUT(log().endsWith(QStringLiteral("started\n")), toolTimeout);
}

void UpdateWindowTest::successLogsHeaderOutputAndVerdictTwice() {
    resources().installTools("echo writing\necho 'to stderr' >&2\nexit 0\n");
    start();
    choose(wendrel, QStringLiteral("2.0"));
    QCOMPARE(controls().tabView->currentIndex(), 0);
    clickUpdate();
    QVERIFY(waitForFinish());
    QCOMPARE(controls().tabView->currentIndex(), 1);
    const QString first = log();
    QCOMPARE(first, firstText + beginning + header(wendrel, QStringLiteral("2.0")) +
                        QStringLiteral("writing\nto stderr\n") + success);
    QVERIFY(!app().delegate.isRunning());
    QVERIFY(controlsIdle());

    // A second update goes below the first, with its own version's command.
    app().pickVersion(QStringLiteral("1.4.2"));
    clickUpdate();
    QVERIFY(waitForFinish(2));
    QCOMPARE(log(), first + beginning + header(wendrel, QStringLiteral("1.4.2")) +
                        QStringLiteral("writing\nto stderr\n") + success);
    // Closing when no tool runs asks nothing.
    QVERIFY(app().window.close());
    QVERIFY(app().confirmQuestions.isEmpty());
}

void UpdateWindowTest::failedToolGetsBothNotesInEveryFamily_data() {
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("version");
    QTest::newRow("avr") << QStringLiteral("Parvonne (rev009 or Higher)") << QStringLiteral("1.1");
    QTest::newRow("dfu") << wendrel << QStringLiteral("1.4.2");
    QTest::newRow("swd") << QStringLiteral("Zembro") << QStringLiteral("1.0");
}

void UpdateWindowTest::failedToolGetsBothNotesInEveryFamily() {
    QFETCH(QString, product);
    QFETCH(QString, version);
    resources().installTools("echo 'no device found'\nexit 1\n");
    start(true);
    choose(product, version);
    clickUpdate();
    QVERIFY(waitForFinish());
    QCOMPARE(log(), firstText + beginning + header(product, version) +
                        QStringLiteral("no device found\n") + failureNotes);
    QVERIFY(controlsIdle());
}

void UpdateWindowTest::updateThatCannotStart_data() {
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<bool>("withHeader");
    // A missing tool is found only on starting it, after the command was logged; a missing
    // configuration file stops the update before there is a command.
    QTest::newRow("tool missing") << wendrel << "dfu-util" << true;
    QTest::newRow("configuration missing")
        << QStringLiteral("Parvonne (rev009 or Higher)") << "avrdude.conf" << false;
}

void UpdateWindowTest::updateThatCannotStart() {
    QFETCH(QString, product);
    QFETCH(QString, removed);
    QFETCH(bool, withHeader);
    resources().installTools("exit 0\n");
    resources().removeFile(removed);
    start();
    choose(product, QStringLiteral("2.0"));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^Problem running task: ") +
                                            QStringLiteral(".*") + removed));
    clickUpdate();
    QVERIFY(waitForFinish());
    QCOMPARE(log(), firstText + beginning +
                        (withHeader ? header(product, QStringLiteral("2.0")) : QString()) +
                        QStringLiteral("ERROR DURING UPDATE\n"));
    QVERIFY(!app().delegate.isRunning());
    QVERIFY(controlsIdle());
    QCOMPARE(controls().tabView->currentIndex(), 1);
}

void UpdateWindowTest::outputPassesThroughUnchanged() {
    // "%" and "%@" stay; a character split between two writes arrives whole; an invalid byte
    // shows as U+FFFD; a progress bar redrawn with "\r" shows its last state; output without a
    // final newline is continued by the verdict.
    resources().installTools("printf '100%% %%@ %%d\\n'\n"
                             "printf 'caf\\303'\n/bin/sleep 0.2\nprintf '\\251 \\377\\r\\n'\n"
                             "printf ' 10%%\\r 50%%\\r100%%\\n'\n"
                             "printf 'no newline'\nexit 0\n");
    start();
    choose(wendrel, QStringLiteral("2.0"));
    clickUpdate();
    QVERIFY(waitForFinish());
    const QString tail = QStringLiteral("100% %@ %d\ncaf\u00e9 \ufffd\n100%\nno newline") + success;
    QVERIFY2(log().endsWith(header(wendrel, QStringLiteral("2.0")) + tail), qPrintable(log()));
}

void UpdateWindowTest::floodArrivesWholeAndInOrder() {
    // Over 10 MiB in numbered lines, each first drawn as its negative and redrawn after a "\r",
    // then "\r\n" split from its line, then a last line without a newline: the window gathers
    // the flood into few inserts, and every character must still arrive once and in order.
    constexpr int lines = 110000;
    const QString padding(90, QLatin1Char('x'));
    resources().installTools(
        "/usr/bin/awk 'BEGIN { for (i = 1; i <= 110000; i++) printf \"-%d\\r%d " +
        padding.toLatin1() +
        "\\n\", i, i; printf \"end\\r\"; fflush(); system(\"/bin/sleep 0.1\"); "
        "printf \"\\nlast\" }'\n");
    start();
    choose(wendrel, QStringLiteral("2.0"));
    clickUpdate();
    QVERIFY(waitForFinish());

    QString output;
    output.reserve(lines * 100);
    for (int i = 1; i <= lines; ++i)
        output += QString::number(i) + QLatin1Char(' ') + padding + QLatin1Char('\n');
    QVERIFY(output.size() > 10 * 1024 * 1024);
    output += QStringLiteral("end\nlast");
    QCOMPARE(log().size(), firstText.size() + beginning.size() +
                               header(wendrel, QStringLiteral("2.0")).size() + output.size() +
                               success.size());
    QVERIFY(log() ==
            firstText + beginning + header(wendrel, QStringLiteral("2.0")) + output + success);
}

void UpdateWindowTest::controlsWhileRunningAndStop() {
    startTool("echo started\nexec /bin/sleep 30\n");
    QVERIFY(app().delegate.isRunning());
    QVERIFY(controlsBusy());

    const QString beforeStop = log();
    QTest::mouseClick(controls().stopButton, Qt::LeftButton);
    QVERIFY(!app().delegate.isRunning()); // at once
    QCOMPARE(log(), beforeStop);          // Stop itself writes nothing
    // Until the tool has ended no second update can start, not even by a stray call.
    if (app().delegate.isBusy()) {
        QVERIFY(controlsBusy());
        app().delegate.doUpdate();
        QCOMPARE(log(), beforeStop);
    }
    QVERIFY(waitForFinish());
    QCOMPARE(log(), beforeStop + failureNotes);
    QVERIFY(controlsIdle());
    QCOMPARE(controls().versionList->currentText(), QStringLiteral("2.0"));
}

void UpdateWindowTest::toolIgnoringTerminationIsKilledOnSecondStop() {
    startTool("trap '' TERM\necho started\nexec /bin/sleep 60\n");
    app().delegate.updateRun().setGracePeriod(std::chrono::minutes(5));
    QTest::mouseClick(controls().stopButton, Qt::LeftButton);
    QVERIFY(controls().stopButton->isEnabled()); // still ending: Stop stays pressable
    QTest::mouseClick(controls().stopButton, Qt::LeftButton);
    QVERIFY(waitForFinish());
    QVERIFY(log().endsWith(failureNotes));
    QVERIFY(controlsIdle());
}

void UpdateWindowTest::closingWhileRunningAsksAndWaitsForTheTool() {
    startTool(stoppable);
    // Declining keeps the window and the tool.
    QVERIFY(!app().window.close());
    QCOMPARE(app().confirmQuestions, QStringList{QuitGuard::question()});
    QCOMPARE(QuitGuard::question(),
             QStringLiteral("An update is running. Stopping it now may leave the module "
                            "without working firmware."));
    app().pendingConfirmation(false);
    QVERIFY(app().window.isVisible());
    QVERIFY(app().delegate.isRunning());

    // Agreeing stops the tool; the window stays until the tool has ended and given its verdict.
    QVERIFY(!app().window.close());
    app().pendingConfirmation(true);
    QVERIFY(!app().delegate.isRunning());
    QVERIFY(!app().window.close()); // asking again while waiting changes nothing
    QCOMPARE(app().confirmQuestions.size(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!app().window.isVisible(), toolTimeout);
    QCOMPARE(finishedCount(), 1);
    QVERIFY(log().endsWith(QStringLiteral("stopping\n") + failureNotes));
}

void UpdateWindowTest::terminateStopsTheToolWithoutAsking() {
    // What the session's end (SIGTERM, SIGINT, SIGHUP) does.
    startTool(stoppable);
    app().delegate.terminate();
    QVERIFY(app().confirmQuestions.isEmpty());
    QVERIFY(!app().delegate.isRunning());
    QVERIFY(app().window.isVisible()); // until the tool has ended
    QTRY_VERIFY_WITH_TIMEOUT(!app().window.isVisible(), toolTimeout);
    QVERIFY(log().endsWith(QStringLiteral("stopping\n") + failureNotes));
}

QTEST_MAIN(UpdateWindowTest)
#include "UpdateWindowTest.moc"
