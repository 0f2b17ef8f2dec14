// The window program's command line: --resources and nothing else of its own.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class AppOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void usageErrors_data();
    void usageErrors();
    void versionAndHelp();

private:
    static QProcess* run(const QStringList& arguments, QObject* owner);
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

QTEST_GUILESS_MAIN(AppOptionsTest)
#include "AppOptionsTest.moc"
