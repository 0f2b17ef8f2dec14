// Handing the log on: Copy Log to the clipboard, Save Log... through the save dialog's seam.

#include "WindowHarness.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>

using namespace modflash;
using namespace modflash::testing;

class LogExportTest : public QObject, WindowFixture {
    Q_OBJECT

private slots:
    void cleanup() { reset(); }

    void copyAndSaveHandOnTheWholeLog();
    void cancelledOrFailedSave();

private:
    QStringList homeEntries() const {
        return QDir(homePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
};

void LogExportTest::copyAndSaveHandOnTheWholeLog() {
    resources().installTools("printf 'caf\\303\\251 \\342\\202\\254\\n50%%\\r100%%\\n'\nexit 0\n");
    start();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    clickUpdate();
    QVERIFY(waitForFinish());
    const QString log = app().delegate.logText();
    QVERIFY(log.contains(QStringLiteral("caf\u00e9 \u20ac\n100%\nUPDATE COMPLETED")));
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(controls().copyLogButton, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), log);

    const QStringList before = homeEntries();
    QTest::mouseClick(controls().saveLogButton, Qt::LeftButton);
    QVERIFY(app().saveChooserIsOpen());
    QCOMPARE(homeEntries(), before); // nothing is written before the user has named the file
    const QString suggested = app().suggestedSaveNames.value(0);
    QVERIFY2(suggested.startsWith(QDir::homePath() + QStringLiteral("/modflash-log-")) &&
                 suggested.endsWith(QStringLiteral(".txt")),
             qPrintable(suggested));
    const QString path = QDir(homePath()).filePath(QStringLiteral("support.txt"));
    app().answerSaveChooser(path);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), log.toUtf8());
    QVERIFY(app().reportedProblems.isEmpty());

    // The menu's command does the same.
    controls().saveLogAction->trigger();
    QVERIFY(app().saveChooserIsOpen());
}

void LogExportTest::cancelledOrFailedSave() {
    start();
    const QStringList before = homeEntries();
    QTest::mouseClick(controls().saveLogButton, Qt::LeftButton);
    app().answerSaveChooser(std::nullopt);
    QCOMPARE(homeEntries(), before);
    QVERIFY(!QFile::exists(app().suggestedSaveNames.value(0)));
    QVERIFY(app().reportedProblems.isEmpty());

    // A file that cannot be written is reported with the system's reason.
    const QString path = QDir(homePath()).filePath(QStringLiteral("no-such-directory/log.txt"));
    QTest::mouseClick(controls().saveLogButton, Qt::LeftButton);
    app().answerSaveChooser(path);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(app().reportedProblems.size(), 1);
    const QString problem = app().reportedProblems.first();
    QVERIFY2(problem.contains(path) &&
                 problem.contains(QStringLiteral("No such file or directory")),
             qPrintable(problem));
}

QTEST_MAIN(LogExportTest)
#include "LogExportTest.moc"
