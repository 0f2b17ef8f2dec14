// The log's own text view: lines kept exactly as given across its storage blocks, the last
// line replaced, selection with the mouse and the keyboard copied as plain text, and the view
// following the end.

#include "LogTextView.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>

using namespace modflash;

class LogTextViewTest : public QObject {
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
    void tenMegabytesArriveWhole();
    void looksLikeALog();

private:
    QPoint pointAt(qsizetype line, qsizetype column) const;

    LogTextView* m_view = nullptr;
};

void LogTextViewTest::init() {
    m_view = new LogTextView;
    m_view->resize(400, 200);
    m_view->show();
    m_view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_view));
    QGuiApplication::clipboard()->clear();
}

void LogTextViewTest::cleanup() {
    delete m_view;
}

// The middle of the character cell at `line`, `column` of what the view shows now.
QPoint LogTextViewTest::pointAt(qsizetype line, qsizetype column) const {
    const QFontMetricsF metrics(m_view->font());
    const qreal x = 4 + (static_cast<qreal>(column) + 0.1) * metrics.horizontalAdvance(u'x');
    const qsizetype row = line - m_view->verticalScrollBar()->value();
    const qreal y = 4 + (static_cast<qreal>(row) + 0.5) * metrics.lineSpacing();
    return QPointF(x, y).toPoint();
}

void LogTextViewTest::keepsLinesExactlyAcrossBlocks() {
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

void LogTextViewTest::replacesTheLastLine() {
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

void LogTextViewTest::measuresTabsAndLongestLine() {
    m_view->appendText(u"ab\tc\n");
    QCOMPARE(m_view->lines().maxColumns(), 9);
    m_view->appendText(u"\t\t");
    QCOMPARE(m_view->lines().maxColumns(), 16);
    m_view->appendText(QString(300, u'x'));
    QCOMPARE(m_view->lines().maxColumns(), 316);
    QVERIFY(m_view->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(m_view->toPlainText(), QStringLiteral("ab\tc\n\t\t") + QString(300, u'x'));
}

void LogTextViewTest::mouseSelectionIsCopiedAsPlainText() {
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

void LogTextViewTest::selectAllAndCopyWithTheKeyboard() {
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

void LogTextViewTest::followsTheEnd() {
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

void LogTextViewTest::tenMegabytesArriveWhole() {
    QString chunk;
    for (int i = 0; chunk.size() < 64 * 1024; ++i)
        chunk += QStringLiteral("%1 0123456789abcdefghijklmnopqrstuvwxyz+/ABCDEFGHIJKL\n").arg(i);
    const qsizetype pieces = 10 * 1024 * 1024 / chunk.size() + 1;
    for (qsizetype i = 0; i < pieces; ++i)
        m_view->appendText(chunk);
    QCOMPARE(m_view->lines().lineCount(), pieces * chunk.count(u'\n') + 1);
    QCOMPARE(m_view->toPlainText(), chunk.repeated(pieces));
    QCOMPARE(m_view->verticalScrollBar()->value(), m_view->verticalScrollBar()->maximum());
}

void LogTextViewTest::looksLikeALog() {
    QCOMPARE(m_view->accessibleName(), QStringLiteral("Log"));
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

QTEST_MAIN(LogTextViewTest)
#include "LogTextViewTest.moc"
