// Handing the log on: Copy Log to the clipboard, Save Log... through the save dialog's seam.

#include "TestResources.h"
#include "WindowHarness.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace modflash;
using namespace modflash::testing;

namespace {

constexpr int toolTimeout = 30000; // ms; generous for a loaded machine, never a measure

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class LogExportTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void copyPutsTheWholeLogOnTheClipboard();
    void saveWritesExactlyTheLogAsUtf8();
    void cancelledSaveWritesNothing();
    void failedSaveTellsTheUserWhy();

private:
    void runTool(const QByteArray& body);

    std::unique_ptr<TestResources> m_resources;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<WindowHarness> m_window;
};

void LogExportTest::init() {
    m_resources = std::make_unique<TestResources>();
    m_home = std::make_unique<QTemporaryDir>();
    m_window = std::make_unique<WindowHarness>(m_resources->path(),
                                               m_home->filePath(QStringLiteral("modflash.conf")));
    m_window->launch();
}

void LogExportTest::cleanup() {
    m_window.reset();
    m_home.reset();
    m_resources.reset();
}

void LogExportTest::runTool(const QByteArray& body) {
    m_resources->installTools(body);
    m_window->pickProduct(QStringLiteral("Wendrel"));
    m_window->pickVersion(QStringLiteral("2.0"));
    QSignalSpy finished(&m_window->delegate.updateRun(), &UpdateRun::finished);
    QTest::mouseClick(m_window->controls.updateButton, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, toolTimeout);
}

void LogExportTest::copyPutsTheWholeLogOnTheClipboard() {
    runTool("printf 'caf\\303\\251 \\342\\202\\254\\n50%%\\r100%%\\n'\nexit 0\n");
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(m_window->controls.copyLogButton, Qt::LeftButton);
    const QString log = m_window->delegate.logText();
    QVERIFY(log.contains(QStringLiteral("caf\u00e9 \u20ac\n100%\nUPDATE COMPLETED")));
    QCOMPARE(QGuiApplication::clipboard()->text(), log);
}

void LogExportTest::saveWritesExactlyTheLogAsUtf8() {
    runTool("printf 'caf\\303\\251 \\342\\202\\254\\n'\nexit 0\n");
    const QStringList before = QDir(m_home->path()).entryList(QDir::Files);
    QTest::mouseClick(m_window->controls.saveLogButton, Qt::LeftButton);
    QVERIFY(m_window->saveChooserIsOpen());
    // Nothing is written before the user has named the file.
    QCOMPARE(QDir(m_home->path()).entryList(QDir::Files), before);
    const QString suggested = m_window->suggestedSaveNames.value(0);
    QVERIFY2(suggested.startsWith(QDir::homePath() + QStringLiteral("/modflash-log-")) &&
                 suggested.endsWith(QStringLiteral(".txt")),
             qPrintable(suggested));

    const QString path = m_home->filePath(QStringLiteral("support.txt"));
    m_window->answerSaveChooser(path);
    QCOMPARE(contentsOf(path), m_window->delegate.logText().toUtf8());
    QVERIFY(contentsOf(path).contains("caf\xc3\xa9 \xe2\x82\xac\n"));
    QVERIFY(m_window->reportedProblems.isEmpty());

    // The menu's command does the same.
    m_window->controls.saveLogAction->trigger();
    QVERIFY(m_window->saveChooserIsOpen());
}

void LogExportTest::cancelledSaveWritesNothing() {
    runTool("echo output\nexit 0\n");
    const QStringList before =
        QDir(m_home->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QTest::mouseClick(m_window->controls.saveLogButton, Qt::LeftButton);
    m_window->answerSaveChooser(std::nullopt);
    QCOMPARE(QDir(m_home->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(!QFile::exists(m_window->suggestedSaveNames.value(0)));
    QVERIFY(m_window->reportedProblems.isEmpty());
}

void LogExportTest::failedSaveTellsTheUserWhy() {
    const QString path = m_home->filePath(QStringLiteral("no-such-directory/log.txt"));
    QTest::mouseClick(m_window->controls.saveLogButton, Qt::LeftButton);
    m_window->answerSaveChooser(path);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(m_window->reportedProblems.size(), 1);
    const QString problem = m_window->reportedProblems.first();
    QVERIFY2(problem.contains(path) &&
                 problem.contains(QStringLiteral("No such file or directory")),
             qPrintable(problem));
}

QTEST_MAIN(LogExportTest)
#include "LogExportTest.moc"
