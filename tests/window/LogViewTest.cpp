// The log view: appends at the end, follows the end, shows carriage returns as a terminal
// does, and gathers texts that come close together without losing or reordering any.

#include "LogView.h"

#include "LogTextView.h"

#include <QRandomGenerator>
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
    void gatheredTextsKeepEveryCharacterInOrder();
    void gatheredTextsShowWithoutBeingAsked();
    void floodIsPutInAsItComesNotHeldBack();

private:
    QString appendAll(const QStringList& chunks);
    static QString terminalModel(const QString& stream);

    LogTextView* m_view = nullptr;
    LogView* m_log = nullptr;
};

void LogViewTest::init() {
    m_view = new LogTextView;
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
    QScrollBar* bar = m_view->verticalScrollBar();
    for (int line = 0; line < 120; ++line) {
        const QString text = QStringLiteral("line %1\n").arg(line);
        m_log->append(text);
        // Texts that come quickly are gathered; once one is in, the view is at the end.
        QTRY_VERIFY(m_view->toPlainText().endsWith(text));
        QCOMPARE(bar->value(), bar->maximum());
    }
    QVERIFY(bar->maximum() > 0);
    // A reader scrolled up is brought back to the end by the next append.
    bar->setValue(0);
    m_log->append(QStringLiteral("more\n"));
    QTRY_COMPARE(bar->value(), bar->maximum());
    QVERIFY(m_log->text().endsWith(QStringLiteral("line 119\nmore\n")));
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

// What a terminal shows for a stream, worked out line by line without a text document.
QString LogViewTest::terminalModel(const QString& stream) {
    QStringList lines{QString()};
    bool carriageReturn = false;
    for (const QChar c : stream) {
        if (c == u'\n') {
            lines.append(QString());
            carriageReturn = false;
        } else if (c == u'\r') {
            carriageReturn = true;
        } else {
            if (carriageReturn)
                lines.last().clear();
            carriageReturn = false;
            lines.last().append(c);
        }
    }
    return lines.join(u'\n');
}

void LogViewTest::gatheredTextsKeepEveryCharacterInOrder() {
    // Random pieces of a tool's output, with line breaks, redraws and "\r\n" split anywhere,
    // appended far faster than one per frame: gathering must change nothing that is shown.
    QRandomGenerator random(7);
    const QString alphabet = QStringLiteral("ab%@#\u00b5\u20ac\n\n\r ");
    QString stream;
    QStringList chunks;
    for (int i = 0; i < 4000; ++i) {
        QString chunk;
        const int size = random.bounded(1, 40);
        for (int j = 0; j < size; ++j)
            chunk += alphabet.at(random.bounded(alphabet.size()));
        if (random.bounded(8) == 0)
            chunk += QStringLiteral("\r\n");
        stream += chunk;
        chunks += chunk;
    }
    int appended = 0;
    for (const QString& chunk : chunks) {
        m_log->append(chunk);
        if (++appended % 500 == 0)
            QTest::qWait(LogView::flushInterval + 5); // some gathered, some put in at once
    }
    QCOMPARE(m_log->text(), terminalModel(stream));
}

void LogViewTest::gatheredTextsShowWithoutBeingAsked() {
    for (int i = 0; i < 50; ++i)
        m_log->append(QStringLiteral("%1\n").arg(i));
    QString expected;
    for (int i = 0; i < 50; ++i)
        expected += QStringLiteral("%1\n").arg(i);
    // Nobody calls flush(): the view gets the texts on its own, shortly.
    QTRY_COMPARE(m_view->toPlainText(), expected);
}

void LogViewTest::floodIsPutInAsItComesNotHeldBack() {
    // Without the event loop running, a flood still goes into the view in bounded pieces, so
    // gathered text never piles up beyond the bound while the tool keeps writing.
    const QString line = QStringLiteral("0123456789abcdef0123456789abcdef0123456789abcdef0123\n");
    QString chunk;
    while (chunk.size() < 64 * 1024)
        chunk += line;
    qsizetype appended = 0;
    while (appended < 3 * LogView::maxPendingCharacters) {
        m_log->append(chunk);
        appended += chunk.size();
        const qsizetype shown = m_view->lines().characterCount();
        QVERIFY(appended - shown < LogView::maxPendingCharacters);
    }
    QCOMPARE(m_log->text(), chunk.repeated(appended / chunk.size()));
}

QTEST_MAIN(LogViewTest)
#include "LogViewTest.moc"
