// The progress bar and the verdict banner beside the log, with shell scripts standing in for the
// flashing tools. The scripts wait half-way for the test to open a gate, so the bar is looked
// at while the tool is surely in the middle of its work.

#include "WindowHarness.h"

#include "SleepInhibitor.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace modflash;
using namespace modflash::testing;

namespace {

const QString parvonne = QStringLiteral("Parvonne (rev009 or Higher)");
const QString completed = QStringLiteral("Update completed");

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

class ProgressWindowTest : public QObject, WindowFixture {
    Q_OBJECT

private slots:
    void cleanup() { reset(); }

    void barFollowsTheTool_data();
    void barFollowsTheTool();
    void failureBanners_data();
    void failureBanners();
    void stopIsSaidAsSuch();

private:
    QProgressBar* bar() const { return controls().progressBar; }
};

void ProgressWindowTest::barFollowsTheTool_data() {
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("tool"); // "avrdude", "dfu-util" or "openocd"
    QTest::addColumn<QString>("phase");
    QTest::addColumn<int>("value"); // at the gate; -1 for the busy indicator
    QTest::newRow("avrdude") << parvonne << "avrdude"
                             << "Writing flash 50%" << 50;
    QTest::newRow("dfu-util") << QStringLiteral("Wendrel") << "dfu-util"
                              << "Downloading 45%" << 45;
    QTest::newRow("openocd") << QStringLiteral("Zembro") << "openocd"
                             << "Erasing and writing" << -1;
}

void ProgressWindowTest::barFollowsTheTool() {
    QFETCH(QString, product);
    QFETCH(QString, tool);
    QFETCH(QString, phase);
    QFETCH(int, value);
    if (tool == QStringLiteral("avrdude"))
        resources().installTools(avrdudeScript(gate()));
    else if (tool == QStringLiteral("dfu-util"))
        resources().installTools(
            dfuUtilScript(gate(), "printf 'File downloaded successfully\\n'\nexit 0\n"));
    else
        resources().installTools(
            "printf 'Open On-Chip Debugger 0.12.0\\nInfo : device id = 0x20006440\\n"
            "Info : flash size = 64 KiB\\nauto erase enabled\\n'\n" +
            gate() +
            "printf 'wrote 28672 bytes from file x.bin in 1.4s\\n\\n"
            "verified 28524 bytes from file x.bin in 0.4s\\n'\nexit 0\n");
    start(true);
    QVERIFY(!bar()->isVisible()); // nothing to show before the first update
    QVERIFY(banner().isEmpty());
    choose(product,
           tool == QStringLiteral("openocd") ? QStringLiteral("1.0") : QStringLiteral("2.0"));
    QSignalSpy values(bar(), &QProgressBar::valueChanged);
    clickUpdate();

    QTRY_COMPARE_WITH_TIMEOUT(banner(), QStringLiteral("Updating: ") + phase, toolTimeout);
    QVERIFY(bar()->isVisible());
    if (value < 0) {
        // The busy indicator draws no text; the phase is in its format.
        QCOMPARE(bar()->maximum(), 0);
        QCOMPARE(bar()->format(), phase);
    } else {
        QCOMPARE(bar()->value(), value);
        QCOMPARE(bar()->maximum(), 100);
        QCOMPARE(bar()->text(), phase);
    }
    // The test's environment points the system bus at a socket that does not exist: the sleep
    // lock was asked for, could not be had, and the update goes on all the same.
    QVERIFY(!app().delegate.sleepInhibitor().isHeld());
    QVERIFY2(!app().delegate.sleepInhibitor().lastError().isEmpty(), "the lock was never asked");

    openGate();
    QVERIFY(waitForFinish());
    QCOMPARE(bar()->maximum(), 100);
    QCOMPARE(bar()->value(), 100);
    QCOMPARE(banner(), completed);
    QList<int> seen;
    for (const QList<QVariant>& change : values)
        seen << change.first().toInt();
    QVERIFY2(seen.last() == 100, qPrintable(QDebug::toString(seen)));
    if (tool == QStringLiteral("avrdude")) {
        QVERIFY2(seen.contains(50) && std::is_sorted(seen.begin(), seen.end()),
                 qPrintable(QDebug::toString(seen)));
        // The log keeps exactly what the tool printed.
        QVERIFY(app().delegate.logText().contains(
            QStringLiteral("Writing | ") + QString(50, QLatin1Char('#')) +
            QStringLiteral(" | 100% 0.62s\n\navrdude: 504 bytes of flash written\n")));
    } else if (tool == QStringLiteral("dfu-util")) {
        // The erase runs to 100, then the download starts again from 0.
        QVERIFY2(seen.indexOf(100) >= 0 && seen.indexOf(100) < seen.lastIndexOf(45),
                 qPrintable(QDebug::toString(seen)));
    }
}

void ProgressWindowTest::failureBanners_data() {
    QTest::addColumn<QString>("product");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("bannerStart");
    QTest::addColumn<QString>("bannerHolds");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("barFailed");
    // A failed tool's last error line is the reason.
    QTest::newRow("avrdude fails")
        << parvonne
        << QByteArray("printf 'avrdude: writing 504 bytes flash ...\\n\\nWriting | ##########'\n"
                      "printf '%s' '----------------------------------------'\n"
                      "printf ' | 100%% 0.31s\\n\\navrdude: error: programmer did not respond\\n'"
                      "\nexit 1\n")
        << "Update failed: "
        << "avrdude: error: programmer did not respond" << 20 << true;
    // dfu-util's error after the whole download is about leaving the boot loader: the image is
    // written, and the banner says so while still showing the error.
    QTest::newRow("dfu-util errs after the download")
        << QStringLiteral("Wendrel")
        << dfuUtilScript("", "printf 'File downloaded successfully\\nSubmitting leave "
                             "request...\\ndfu-util: Error during download get_status\\n'\n"
                             "exit 74\n")
        << "The image was written completely"
        << "dfu-util: Error during download get_status" << 100 << false;
}

void ProgressWindowTest::failureBanners() {
    QFETCH(QString, product);
    QFETCH(QByteArray, script);
    QFETCH(QString, bannerStart);
    QFETCH(QString, bannerHolds);
    QFETCH(int, value);
    QFETCH(bool, barFailed);
    resources().installTools(script);
    start();
    choose(product, QStringLiteral("2.0"));
    clickUpdate();
    QVERIFY(waitForFinish());
    QVERIFY2(banner().startsWith(bannerStart) && banner().contains(bannerHolds),
             qPrintable(banner()));
    QCOMPARE(bar()->value(), value);
    QVERIFY2(bar()->text().contains(QStringLiteral("failed")) == barFailed,
             qPrintable(bar()->text()));
    QVERIFY(!app().delegate.logText().contains(bannerStart));
}

void ProgressWindowTest::stopIsSaidAsSuch() {
    resources().installTools(avrdudeScript(gate()));
    start();
    choose(parvonne, QStringLiteral("2.0"));
    clickUpdate();
    QTRY_COMPARE_WITH_TIMEOUT(bar()->value(), 50, toolTimeout);
    QTest::mouseClick(controls().stopButton, Qt::LeftButton);
    if (finishedCount() == 0)
        QVERIFY2(banner().startsWith(QStringLiteral("Stopping")), qPrintable(banner()));
    QVERIFY(waitForFinish());
    QVERIFY2(banner().startsWith(QStringLiteral("Update stopped")), qPrintable(banner()));
    QCOMPARE(bar()->value(), 50);
    QVERIFY2(bar()->text().contains(QStringLiteral("failed")), qPrintable(bar()->text()));

    // The next update starts from a clean bar and banner.
    resources().installTools("exit 0\n");
    clickUpdate();
    QVERIFY(waitForFinish(2));
    QCOMPARE(banner(), completed);
}

QTEST_MAIN(ProgressWindowTest)
#include "ProgressWindowTest.moc"
