// The log view: appends at the end, follows the end, and shows carriage returns as a
// terminal does.

#include "LogView.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

using namespace modflash;

class LogViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void appendsUnchangedOnTheSameLine();
    void followsTheEnd();
    void carriageReturns_data();
    void carriageReturns();

private:
    QString appendAll(const QStringList& chunks);

    QPlainTextEdit* m_view = nullptr;
    LogView* m_log = nullptr;
};

void LogViewTest::init() {
    m_view = new QPlainTextEdit;
    m_view->resize(400, 200);
    m_view->show();
    m_log = new LogView(m_view);
    m_log->configure();
}

void LogViewTest::cleanup() {
    delete m_log;
    delete m_view;
}

QString LogViewTest::appendAll(const QStringList& chunks) {
    for (const QString& chunk : chunks)
        m_log->append(chunk);
    return m_log->text();
}

void LogViewTest::appendsUnchangedOnTheSameLine() {
    QCOMPARE(appendAll({QStringLiteral("BEGINNING "), QStringLiteral("UPDATE\n"),
                        QStringLiteral("100% %@ %d"), QString(), QStringLiteral(" done\n")}),
             QStringLiteral("BEGINNING UPDATE\n100% %@ %d done\n"));
}

void LogViewTest::followsTheEnd() {
    for (int line = 0; line < 300; ++line) {
        m_log->append(QStringLiteral("line %1\n").arg(line));
        QScrollBar* bar = m_view->verticalScrollBar();
        QCOMPARE(bar->value(), bar->maximum());
    }
    QVERIFY(m_view->verticalScrollBar()->maximum() > 0);
    // A reader scrolled up is brought back to the end by the next append.
    m_view->verticalScrollBar()->setValue(0);
    m_log->append(QStringLiteral("more\n"));
    QCOMPARE(m_view->verticalScrollBar()->value(), m_view->verticalScrollBar()->maximum());
}

void LogViewTest::carriageReturns_data() {
    QTest::addColumn<QStringList>("chunks");
    QTest::addColumn<QString>("shown");

    QTest::newRow("progress redraw")
        << QStringList{QStringLiteral("Download [   ]  0%\r"),
                       QStringLiteral("Download [== ] 66%\r"),
                       QStringLiteral("Download [===] 100%\n"), QStringLiteral("Done\n")}
        << QStringLiteral("Download [===] 100%\nDone\n");
    QTest::newRow("redraw within one chunk")
        << QStringList{QStringLiteral("a\n10%\r20%\r30%")} << QStringLiteral("a\n30%");
    QTest::newRow("crlf keeps the line")
        << QStringList{QStringLiteral("one\r\ntwo\r\n")} << QStringLiteral("one\ntwo\n");
    QTest::newRow("crlf split across chunks")
        << QStringList{QStringLiteral("one\r"), QStringLiteral("\ntwo\r"), QStringLiteral("\n")}
        << QStringLiteral("one\ntwo\n");
    QTest::newRow("cr alone in a chunk")
        << QStringList{QStringLiteral("old"), QStringLiteral("\r"), QStringLiteral("new\n")}
        << QStringLiteral("new\n");
    QTest::newRow("double cr before lf")
        << QStringList{QStringLiteral("keep\r\r\n")} << QStringLiteral("keep\n");
    QTest::newRow("replacement is the whole line")
        << QStringList{QStringLiteral("head\nlonger text\rshort")} << QStringLiteral("head\nshort");
    QTest::newRow("pending cr then empty append")
        << QStringList{QStringLiteral("x\r"), QString(), QStringLiteral("\n")}
        << QStringLiteral("x\n");
    QTest::newRow("cr at line start")
        << QStringList{QStringLiteral("a\n\rb\n")} << QStringLiteral("a\nb\n");
}

void LogViewTest::carriageReturns() {
    QFETCH(QStringList, chunks);
    QFETCH(QString, shown);
    QCOMPARE(appendAll(chunks), shown);
}

QTEST_MAIN(LogViewTest)
#include "LogViewTest.moc"
