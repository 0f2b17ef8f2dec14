// A tool that floods the log: the window gathers its output into few, bounded inserts, and
// every character must still arrive once, in order, with redraws shown as a terminal shows them
// and the verdict last.

#include "TestResources.h"
#include "WindowHarness.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace modflash;
using namespace modflash::testing;

class LogOrderTest : public QObject {
    Q_OBJECT

private slots:
    void floodArrivesInOrderWithItsVerdict();
};

void LogOrderTest::floodArrivesInOrderWithItsVerdict() {
    // 200,000 numbered lines, each first drawn as its negative and redrawn after a "\r", then
    // "\r\n" split from its line, then a last line without a newline.
    constexpr int lines = 200000;
    TestResources resources;
    resources.installTools("/usr/bin/awk 'BEGIN { for (i = 1; i <= 200000; i++) "
                           "printf \"-%d\\r%d\\n\", i, i; printf \"end\\r\"; fflush(); "
                           "system(\"/bin/sleep 0.1\"); printf \"\\nlast\" }'\n");
    QTemporaryDir home;
    WindowHarness window(resources.path(), home.filePath(QStringLiteral("modflash.conf")));
    window.launch();
    window.pickProduct(QStringLiteral("Wendrel"));
    window.pickVersion(QStringLiteral("2.0"));

    QVERIFY(window.controls.updateButton->isEnabled());
    QSignalSpy finished(&window.delegate.updateRun(), &UpdateRun::finished);
    QTest::mouseClick(window.controls.updateButton, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 60000);
    QCOMPARE(finished.first().first().value<UpdateRun::Outcome>(), UpdateRun::Outcome::Succeeded);

    QString output;
    output.reserve(lines * 7);
    for (int i = 1; i <= lines; ++i)
        output += QString::number(i) + QLatin1Char('\n');
    output += QStringLiteral("end\nlast");
    const QString log = window.controls.logTextField->toPlainText();
    const QString verdict = QStringLiteral("UPDATE COMPLETED SUCCESSFULLY\n");
    QVERIFY(log.endsWith(output + verdict));
    const QString before = log.left(log.size() - output.size() - verdict.size());
    QVERIFY(before.startsWith(QStringLiteral("Select a product and version above")));
    QVERIFY(before.contains(QStringLiteral("\nUpdating Wendrel firmware with command:\n")));
    QVERIFY(before.endsWith(u'\n'));
    QCOMPARE(before.count(QStringLiteral("BEGINNING UPDATE\n")), 1);
}

QTEST_MAIN(LogOrderTest)
#include "LogOrderTest.moc"
