// The log: its own text view keeps lines exactly as given across its storage blocks, replaces
// the last line, copies mouse and keyboard selections as plain text and follows the end; the
// log view in front of it shows carriage returns as a terminal does and gathers texts that come
// close together without losing or reordering any.

#include "LogView.h"

#include "LogTextView.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>

using namespace modflash;

class LogViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keepsLinesExactlyAcrossBlocks();
    void replacesTheLastLine();
    void measuresTabsAndLongestLine();
    void mouseSelectionIsCopiedAsPlainText();
    void selectAllAndCopyWithTheKeyboard();
    void followsTheEnd();
    void looksLikeALog();
    void carriageReturns_data();
    void carriageReturns();
    void gatheredTextsKeepEveryCharacterInOrder();
    void gatheredTextsShowWithoutBeingAsked();
    void floodIsPutInAsItComesNotHeldBack();

private:
    QPoint pointAt(qsizetype line, qsizetype column) const;
    QString appendAll(const QStringList& chunks);
    static QString terminalModel(const QString& stream);

    LogTextView* m_view = nullptr;
    LogView* m_log = nullptr;
};

void LogViewTest::init() {
    m_view = new LogTextView;
    m_view->resize(400, 200);
    m_view->show();
    m_view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_view));
    QGuiApplication::clipboard()->clear();
    m_log = new LogView(m_view);
    m_log->configure();
}

void LogViewTest::cleanup() {
    delete m_log;
    delete m_view;
}

// The middle of the character cell at `line`, `column` of what the view shows now.
QPoint LogViewTest::pointAt(qsizetype line, qsizetype column) const {
    const QFontMetricsF metrics(m_view->font());
    const qreal x = 4 + (static_cast<qreal>(column) + 0.1) * metrics.horizontalAdvance(u'x');
    const qsizetype row = line - m_view->verticalScrollBar()->value();
    const qreal y = 4 + (static_cast<qreal>(row) + 0.5) * metrics.lineSpacing();
    return QPointF(x, y).toPoint();
}

void LogViewTest::keepsLinesExactlyAcrossBlocks() {
    // Random lines, some far longer than a storage block, appended in random pieces: every
    // line and the whole text come back as given.
    QRandomGenerator random(11);
    QString stream;
    while (stream.size() < 3 * 1024 * 1024) {
        const int length =
            random.bounded(20) == 0 ? random.bounded(1, 1500000) : random.bounded(0, 120);
        QString line(length, u'a');
        for (int i = 0; i < length; i += 97)
            line[i] = QChar(u'\u00b5' + random.bounded(40));
        stream += line + u'\n';
    }
    stream += QStringLiteral("unfinished");
    for (qsizetype at = 0; at < stream.size();) {
        const qsizetype piece = random.bounded(1, 200000);
        m_view->appendText(QStringView(stream).mid(at, piece));
        at += piece;
    }
    const QStringList lines = stream.split(u'\n');
    QCOMPARE(m_view->lines().lineCount(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        QCOMPARE(m_view->lines().line(i), QStringView(lines[i]));
    QCOMPARE(m_view->lines().characterCount(), stream.size());
    QCOMPARE(m_view->toPlainText(), stream);
}

void LogViewTest::replacesTheLastLine() {
    QCOMPARE(m_view->toPlainText(), QString());
    m_view->appendText(u"first\nprogress 10%");
    m_view->replaceLastLine(u"progress 100%");
    m_view->appendText(u" done\n");
    m_view->replaceLastLine(u"last");
    QCOMPARE(m_view->toPlainText(), QStringLiteral("first\nprogress 100% done\nlast"));
    // Replacing a line that had to move to a fresh block keeps the lines before it.
    const QString filler(700 * 1024, u'f');
    m_view->appendText(filler + u'\n' + filler);
    m_view->replaceLastLine(u"short");
    QCOMPARE(m_view->toPlainText(), QStringLiteral("first\nprogress 100% done\nlast") + filler +
                                        QStringLiteral("\nshort"));
    m_view->clear();
    QCOMPARE(m_view->toPlainText(), QString());
    QCOMPARE(m_view->lines().lineCount(), 1);
}

void LogViewTest::measuresTabsAndLongestLine() {
    m_view->appendText(u"ab\tc\n");
    QCOMPARE(m_view->lines().maxColumns(), 9);
    m_view->appendText(u"\t\t");
    QCOMPARE(m_view->lines().maxColumns(), 16);
    m_view->appendText(QString(300, u'x'));
    QCOMPARE(m_view->lines().maxColumns(), 316);
    QVERIFY(m_view->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(m_view->toPlainText(), QStringLiteral("ab\tc\n\t\t") + QString(300, u'x'));
}

void LogViewTest::mouseSelectionIsCopiedAsPlainText() {
    m_view->appendText(u"alpha beta\ngamma delta\n\tepsilon\nzeta");
    QWidget* viewport = m_view->viewport();
    QClipboard* clipboard = QGuiApplication::clipboard();

    QTest::mousePress(viewport, Qt::LeftButton, {}, pointAt(0, 2));
    QTest::mouseMove(viewport, pointAt(1, 5));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, pointAt(1, 5));
    QCOMPARE(m_view->selectedText(), QStringLiteral("pha beta\ngamma"));
    // The click gave the view the focus, so the copy keys reach it.
    QVERIFY(m_view->hasFocus());
    QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("pha beta\ngamma"));

    // Shift-click moves the far end and keeps the near one; a click on the second half of a
    // tab lands after it.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, pointAt(2, 6));
    QCOMPARE(m_view->selectedText(), QStringLiteral("pha beta\ngamma delta\n\t"));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, pointAt(3, 2));
    QCOMPARE(m_view->selectedText(), QStringLiteral("pha beta\ngamma delta\n\tepsilon\nze"));

    // Dragging backwards selects the same text as dragging forwards.
    QTest::mousePress(viewport, Qt::LeftButton, {}, pointAt(1, 11));
    QTest::mouseMove(viewport, pointAt(0, 6));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, pointAt(0, 6));
    QCOMPARE(m_view->selectedText(), QStringLiteral("beta\ngamma delta"));

    QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointAt(1, 8));
    QCOMPARE(m_view->selectedText(), QStringLiteral("delta"));

    // A plain click leaves nothing selected, and copying nothing keeps the clipboard.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointAt(0, 1));
    QVERIFY(!m_view->hasSelection());
    clipboard->setText(QStringLiteral("kept"));
    QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("kept"));
}

void LogViewTest::selectAllAndCopyWithTheKeyboard() {
    const QString text = QStringLiteral("one\r\ntwo \u20ac\n\nthree\n");
    m_view->appendText(text);
    m_view->setFocus();
    QTest::keyClick(m_view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    // A selection made before the last line is redrawn shorter still copies what is there.
    m_view->appendText(u"progress 50%");
    QTest::keyClick(m_view, Qt::Key_A, Qt::ControlModifier);
    m_view->replaceLastLine(u"ok");
    QCOMPARE(m_view->selectedText(), text + QStringLiteral("ok"));
}

void LogViewTest::followsTheEnd() {
    QScrollBar* bar = m_view->verticalScrollBar();
    for (int line = 0; line < 200; ++line) {
        m_view->appendText(QStringLiteral("line %1\n").arg(line));
        QCOMPARE(bar->value(), bar->maximum());
    }
    QVERIFY(bar->maximum() > 150);
    bar->setValue(0);
    m_view->appendText(u"more");
    QCOMPARE(bar->value(), bar->maximum());
    // The last line is on screen: its middle is within the viewport.
    QVERIFY(m_view->viewport()->rect().contains(pointAt(m_view->lines().lineCount() - 1, 0)));
    m_view->replaceLastLine(u"redrawn");
    bar->setValue(0);
    m_view->replaceLastLine(u"again");
    QCOMPARE(bar->value(), bar->maximum());
}

void LogViewTest::looksLikeALog() {
    QCOMPARE(m_view->viewport()->backgroundRole(), QPalette::Base);
    QFont font = m_view->font();
    font.setPointSize(font.pointSize() * 2);
    const int before = m_view->verticalScrollBar()->pageStep();
    m_view->setFont(font);
    QCOMPARE(m_view->font(), font);
    // A larger face fits fewer lines in the same height.
    QVERIFY(m_view->verticalScrollBar()->pageStep() < before);
    // Text is painted: the viewport is no longer all background.
    const QImage empty = m_view->viewport()->grab().toImage();
    m_view->appendText(u"#####");
    const QImage drawn = m_view->viewport()->grab().toImage();
    QVERIFY(empty != drawn);
}

QString LogViewTest::appendAll(const QStringList& chunks) {
    for (const QString& chunk : chunks)
        m_log->append(chunk);
    return m_log->text();
}

void LogViewTest::carriageReturns_data() {
    QTest::addColumn<QStringList>("chunks");
    QTest::addColumn<QString>("shown");

    QTest::newRow("plain text on the same line")
        << QStringList{QStringLiteral("BEGINNING "), QStringLiteral("UPDATE\n"),
                       QStringLiteral("100% %@ %d"), QString(), QStringLiteral(" done\n")}
        << QStringLiteral("BEGINNING UPDATE\n100% %@ %d done\n");
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
