// The window program's command line: --resources and nothing else of its own.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class AppOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void usageErrors_data();
    void usageErrors();
    void versionAndHelp();
    void sessionEndSignalsQuitCleanly_data();
    void sessionEndSignalsQuitCleanly();

private:
    static QProcess* run(const QStringList& arguments, QObject* owner);
    static bool catches(qint64 pid, int signal);
};

QProcess* AppOptionsTest::run(const QStringList& arguments, QObject* owner) {
    auto* process = new QProcess(owner);
    process->start(QStringLiteral(MODFLASH_WINDOW_APP), arguments);
    return process;
}

void AppOptionsTest::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing directory")
        << QStringList{QStringLiteral("--resources"), QStringLiteral("/nonexistent/modflash")}
        << QStringLiteral("does not exist");
    QTest::newRow("argument") << QStringList{QStringLiteral("Wendrel")}
                              << QStringLiteral("unexpected argument");
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("--file"), QStringLiteral("x.bin")}
        << QStringLiteral("Unknown option");
    QTest::newRow("option without value")
        << QStringList{QStringLiteral("--resources")} << QStringLiteral("Missing value");
}

void AppOptionsTest::usageErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    QObject owner;
    QProcess* process = run(arguments, &owner);
    QVERIFY(process->waitForFinished(60000));
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process->exitCode(), 64);
    const QString error = QString::fromUtf8(process->readAllStandardError());
    QVERIFY2(error.contains(reason), qPrintable(error));
}

void AppOptionsTest::versionAndHelp() {
    QObject owner;
    QProcess* version = run({QStringLiteral("--version")}, &owner);
    QVERIFY(version->waitForFinished(60000));
    QCOMPARE(version->exitCode(), 0);
    QVERIFY(version->readAllStandardOutput().startsWith("modflash "));

    QProcess* help = run({QStringLiteral("--help")}, &owner);
    QVERIFY(help->waitForFinished(60000));
    QCOMPARE(help->exitCode(), 0);
    QVERIFY(help->readAllStandardOutput().contains("--resources <DIR>"));
}

// Whether the process has a handler for the signal yet, from the kernel's own record: sending
// it before then would end the program the default way.
bool AppOptionsTest::catches(qint64 pid, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    const QRegularExpression caught(QStringLiteral("^SigCgt:\\s*([0-9a-f]+)$"),
                                    QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = caught.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() && (match.captured(1).toULongLong(nullptr, 16) >> (signal - 1)) & 1;
}

void AppOptionsTest::sessionEndSignalsQuitCleanly_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void AppOptionsTest::sessionEndSignalsQuitCleanly() {
    QFETCH(int, signal);
    QTemporaryDir resources;
    QObject owner;
    QProcess* app = run({QStringLiteral("--resources"), resources.path()}, &owner);
    QVERIFY(app->waitForStarted(60000));
    QTRY_VERIFY_WITH_TIMEOUT(catches(app->processId(), signal), 60000);
    ::kill(static_cast<pid_t>(app->processId()), signal);
    QVERIFY(app->waitForFinished(60000));
    QCOMPARE(app->exitStatus(), QProcess::NormalExit);
    QCOMPARE(app->exitCode(), 0);
}

QTEST_GUILESS_MAIN(AppOptionsTest)
#include "AppOptionsTest.moc"
