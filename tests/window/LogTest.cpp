// SPDX-License-Identifier: GPL-3.0-or-later
// The log: shown as a terminal shows a tool's output, kept exactly however much arrives, and
// handed on through the clipboard or a saved file.
#include "Golden.h"
#include "WindowFixture.h"
#include "window/LogView.h"

#include <QAccessibleEvent>
#include <QClipboard>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QScrollBar>

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <csignal>
#include <map>
#include <sys/resource.h>

namespace modflash::testing {
namespace {

// The middle of a character's cell in the view's viewport, 4 pixels in from its edges.
QPoint cell(const LogTextView& view, qreal column, int row) {
    const qreal width = QFontMetricsF(view.font()).horizontalAdvance(u'x');
    const int height = QFontMetrics(view.font()).lineSpacing();
    return QPointF(4 + column * width + 0.1, 4 + row * height + height / 2).toPoint();
}

// The pieces as they arrive, separated by "|", and what the view then shows.
TEST(LogView, CarriageReturnsAsATerminalShowsThemHoweverTheTextIsCut) {
    testing::expectEachLineMaps("carriage-returns.txt", 8, [](const std::string& pieces) {
        LogTextView view;
        LogView log(&view);
        for (const QString& piece : QString::fromStdString(pieces).split('|')) {
            log.append(piece);
            log.flush();
        }
        return log.text().toStdString();
    });
}

// Text is gathered for at most a frame, or until enough has come: after a quiet spell it
// shows at once, and a burst as large as the bound shows without waiting for the frame.
TEST(LogView, TextShowsAtOnceAfterAQuietSpellAndWhenABurstReachesTheBound) {
    LogTextView view;
    LogView log(&view);
    log.append("a");
    log.append("b");
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.toPlainText() == "ab"; }));
    QTest::qWait(3 * LogView::flushInterval);
    EXPECT_EQ(log.text(), "ab");
    log.append("c");
    EXPECT_EQ(view.toPlainText(), "abc") << "nothing came for longer than a frame";
    // The burst is shown at once, with its last letter unless a stall already showed the rest.
    log.append(QString(LogView::maxPendingCharacters - 1, u'x'));
    log.append("y");
    EXPECT_GE(view.toPlainText().size(), 3 + LogView::maxPendingCharacters - 1);
}

TEST(LogView, KeepsEveryLineExactlyAcrossItsStorageBlocks) {
    // Random lines, some far longer than a storage block, appended in random pieces.
    QRandomGenerator random(11);
    QString stream;
    while (stream.size() < 3 * 1024 * 1024) {
        const int length =
            random.bounded(20) == 0 ? random.bounded(1, 1500000) : random.bounded(120);
        QString line(length, u'a');
        for (int i = 0; i < length; i += 97)
            line[i] = QChar(u'\u00b5' + random.bounded(40));
        stream += line + u'\n';
    }
    stream += QStringLiteral("unfinished");
    LogTextView view;
    for (qsizetype at = 0; at < stream.size();) {
        const qsizetype piece = random.bounded(1, 200000);
        view.appendText(QStringView(stream).mid(at, piece));
        at += piece;
    }
    const LogLines& lines = view.lines();
    EXPECT_EQ(lines.lineCount(), stream.count(u'\n') + 1);
    EXPECT_TRUE(view.toPlainText() == stream);
    // Each line found at its own first offset, the first of a storage block among them.
    for (qsizetype line = 0; line < lines.lineCount(); ++line)
        ASSERT_EQ(lines.lineAtOffset(lines.offsetOfLine(line)), line);
    view.replaceLastLine(u"last");
    EXPECT_TRUE(view.toPlainText() == stream.left(stream.lastIndexOf(u'\n') + 1) + "last");
}

// A person selects in the log with the mouse as in a terminal: dragging across lines, landing
// on the nearer side of a tab, extending with Shift, a word by double click; the selection is
// painted, and Ctrl+Home and Ctrl+End go to the log's ends.
TEST(LogView, TheMouseSelectsAsInATerminalAndTheViewPaintsIt) {
    LogTextView view;
    view.resize(400, 200);
    view.show();
    for (int i = 0; i < 40; ++i)
        view.appendText(QString("ab\tword_%1 x\n").arg(i));
    QScrollBar* bar = view.verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(bar->value(), 1) << "an arrow key scrolls one line";
    QTest::keyClick(&view, Qt::Key_Up);
    const auto at = [&](qreal column, int row) { return cell(view, column, row); };
    QWidget* port = view.viewport();
    const auto mouse = [&](QEvent::Type type, QPoint point, Qt::KeyboardModifiers keys = {}) {
        QMouseEvent event(type, point, port->mapToGlobal(point), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, keys);
        QCoreApplication::sendEvent(port, &event);
    };
    mouse(QEvent::MouseButtonPress, at(4, 0)); // the tab's first half: before it
    EXPECT_EQ(view.selectedText(), "");
    mouse(QEvent::MouseMove, at(1, 1));
    EXPECT_EQ(view.selectedText(), "\tword_0 x\na");
    mouse(QEvent::MouseButtonPress, at(5, 0)); // its second half: after it
    mouse(QEvent::MouseMove, at(1, 1));
    mouse(QEvent::MouseButtonRelease, at(1, 1));
    mouse(QEvent::MouseButtonPress, at(0, 2), Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), "word_0 x\nab\tword_1 x\n");
    mouse(QEvent::MouseButtonRelease, at(0, 2));
    mouse(QEvent::MouseButtonDblClick, at(10, 1));
    EXPECT_EQ(view.selectedText(), "word_1");
    const QImage shown = port->grab().toImage();
    // The selected word is drawn on the highlight, not only covered by it.
    bool drawn = false;
    for (int x = at(8.2, 1).x(); x < at(13.8, 1).x(); ++x)
        drawn |= shown.pixelColor(x, at(9, 1).y()) != view.palette().color(QPalette::Highlight);
    EXPECT_TRUE(drawn);
    // A screen reader finds the characters where they are drawn.
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&view)->textInterface();
    EXPECT_EQ(text->characterRect(0).topLeft(), port->mapToGlobal(QPoint(4, 4)));
    EXPECT_EQ(text->offsetAtPoint(port->mapToGlobal(at(9, 1))), 16); // "o" of "word_1"
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), bar->maximum());
}

// What a screen reader is told, in order.
QStringList heard;

void hear(QAccessibleEvent* event) {
    if (const auto* update = dynamic_cast<QAccessibleTextUpdateEvent*>(event))
        heard << QString("%1: +%2 -%3")
                     .arg(update->changePosition())
                     .arg(update->textInserted(), update->textRemoved());
    else if (const auto* insert = dynamic_cast<QAccessibleTextInsertEvent*>(event))
        heard << QString("%1: +%2").arg(insert->changePosition()).arg(insert->textInserted());
    else if (const auto* remove = dynamic_cast<QAccessibleTextRemoveEvent*>(event))
        heard << QString("%1: -%2").arg(remove->changePosition()).arg(remove->textRemoved());
    else if (const auto* selection = dynamic_cast<QAccessibleTextSelectionEvent*>(event))
        heard << QString("%1-%2 at %3")
                     .arg(selection->selectionStart())
                     .arg(selection->selectionEnd())
                     .arg(selection->cursorPosition());
}

// Where the selection's painting begins and ends: only the selected columns of a line, and a
// selected empty line as one character's width; a short log does not scroll, and a drag below
// the last row reaches the end of the log. A screen reader is told of text added, a last line
// redrawn, each move of the selection and its caret, and the log cleared (not when empty).
TEST(LogView, TheSelectionIsPaintedExactlyAndAScreenReaderIsToldOfEachChange) {
    LogTextView view;
    view.resize(400, 200);
    view.show();
    // As when a screen reader runs: only then does Qt hand the events on.
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_TRUE(platform);
    platform->setActive(true);
    heard.clear();
    const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(hear);
    view.appendText(u"abc def\n\n50%");
    view.replaceLastLine(u"last");
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
    QWidget* port = view.viewport();
    QTest::mousePress(port, Qt::LeftButton, {}, cell(view, 5, 0));
    QMouseEvent drag(QEvent::MouseMove, cell(view, 9, 8), port->mapToGlobal(cell(view, 9, 8)),
                     Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(port, &drag);
    QTest::mouseRelease(port, Qt::LeftButton, {}, cell(view, 9, 8));
    EXPECT_EQ(view.selectedText(), "ef\n\nlast");
    QTest::mouseClick(port, Qt::LeftButton, Qt::ShiftModifier, cell(view, 2, 2));
    EXPECT_EQ(view.selectedText(), "ef\n\nla");
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&view)->textInterface();
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(5, 11));
    text->selection(1, &start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 0)) << "there is one selection";
    const QImage shown = port->grab().toImage();
    const int height = QFontMetrics(view.font()).lineSpacing();
    const auto highlighted = [&](qreal column, int row) {
        return shown.pixelColor(cell(view, column, row) - QPoint(0, height / 2 - 1)) ==
               view.palette().color(QPalette::Highlight);
    };
    EXPECT_FALSE(highlighted(4.5, 0)) << "before the selection's start";
    EXPECT_TRUE(highlighted(5.5, 0));
    EXPECT_TRUE(highlighted(0.5, 1)) << "the selected empty line";
    EXPECT_TRUE(highlighted(1.5, 2));
    EXPECT_FALSE(highlighted(2.5, 2)) << "after the selection's end";
    view.clear();
    view.clear();
    QAccessible::installUpdateHandler(before);
    platform->setActive(false);
    EXPECT_EQ(heard, QStringList({"0: +abc def\n\n50%", "9: +last -50%", "5-5 at 5", "5-13 at 13",
                                  "5-11 at 11", "0: -abc def\n\nlast"}));
}

using Log = WindowFixture;

// At the window's default size every line reads without scrolling sideways: a long line wraps
// onto the next rows, where the mouse and a screen reader find each character as it is drawn,
// and a progress bar redrawn after "\r" still overwrites itself.
TEST_F(Log, LongLinesWrapAtTheDefaultSizeAndStayWhereTheyAreDrawn) {
    start();
    controls().tabView->setCurrentIndex(1);
    LogTextView* view = controls().logTextField;
    const QString command = "/usr/share/modflash/dfu-util -a 0 -s 0x08000000:leave -D "
                            "/run/user/1000/modflash-image-Xb4c2Q/Wendrel.2.0.bin\t-d 0483:df11";
    const QString refused =
        "dfu-util: Cannot open DFU device 0483:df11 found on devnum 2 (LIBUSB_ERROR_ACCESS)";
    delegate().writeToLog(command + "\nDownload\t[=   ]  25%\r");
    // No line break after the last line: the view's last row holds text and must be drawn.
    delegate().writeToLog("Download\t[====] 100%\n" + refused);
    const QString text = delegate().logText();
    EXPECT_TRUE(text.endsWith(command + "\nDownload\t[====] 100%\n" + refused));
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
    QWidget* port = view->viewport();
    const QImage shown = port->grab().toImage();
    QAccessibleTextInterface* reader = QAccessible::queryAccessibleInterface(view)->textInterface();
    const qsizetype commandStart = text.indexOf(command);
    std::map<int, bool> inkedRows; // by the row's top
    for (qsizetype offset = commandStart; offset < text.size(); ++offset) {
        const QRect box = view->characterRect(offset);
        const QPoint inside = box.topLeft() + QPoint(1, box.height() / 2);
        ASSERT_EQ(view->offsetAt(inside), offset) << offset;
        ASSERT_EQ(reader->offsetAtPoint(port->mapToGlobal(inside)), offset) << offset;
        if (text[offset] == u'\n' || text[offset].isSpace())
            continue;
        ASSERT_LE(box.right(), port->width()) << offset;
        bool& ink = inkedRows[box.top()];
        for (int x = box.left(); x <= box.right(); ++x)
            ink |= shown.pixelColor(x, box.center().y()) != view->palette().color(QPalette::Base);
    }
    // The command and the error take more than one row each, and every row is drawn.
    EXPECT_GT(view->characterRect(commandStart + command.size() - 1).top(),
              view->characterRect(commandStart).top());
    EXPECT_GT(inkedRows.size(), 4u);
    for (const auto& [top, ink] : inkedRows)
        EXPECT_TRUE(ink) << "the row at " << top << " is blank";
}

// A flood arrives whole and in order, and the copied and saved logs are the whole log.
TEST_F(Log, AFloodArrivesWholeAndIsCopiedAndSavedWhole) {
    // UTF-8 text, then numbered lines, each first drawn as its negative and redrawn after a
    // "\r", then "\r\n" split from its line, then a last line without a newline.
    const QByteArray padding(90, 'x');
    installTools("printf 'caf\\303\\251 \\342\\202\\254\\n50%%\\r100%%\\n'\n"
                 "/usr/bin/awk 'BEGIN { for (i = 1; i <= 110000; i++) printf \"-%d\\r%d " +
                 padding +
                 "\\n\", i, i; printf \"end\\r\"; fflush(); system(\"sleep 0.1\"); "
                 "printf \"\\nlast\" }'");
    start();
    choose("Wendrel", "2.0");
    const QString before = log();
    clickUpdate();
    ASSERT_TRUE(waitForFinish());
    QString output = QStringLiteral("caf\u00e9 \u20ac\n100%\n");
    for (int i = 1; i <= 110000; ++i)
        output += QString::number(i) + ' ' + padding + '\n';
    const QString text = log(), tail = output + "end\nlastUPDATE COMPLETED SUCCESSFULLY\n";
    EXPECT_TRUE(text.endsWith(tail));
    EXPECT_LT(text.size(), before.size() + tail.size() + 400);
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(controls().copyLogButton, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
    // The verdict stays where it is; the button says for a moment what it did.
    EXPECT_EQ(banner(), "Update completed");
    EXPECT_EQ(controls().copyLogButton->text(), "Copied");
    controls().logTextField->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(controls().logTextField, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(controls().logTextField, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);

    QTest::mouseClick(controls().saveLogButton, Qt::LeftButton);
    ASSERT_TRUE(answerSaveChooser);
    EXPECT_TRUE(QFileInfo(suggestedSaveName).fileName().startsWith("modflash-log-Wendrel-20"))
        << suggestedSaveName.toStdString();
    const QString path = home.filePath("support.txt");
    answerSaveChooser(path);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    // A short header for whoever the log is handed to, then the exact log.
    const QString contents = QString::fromUtf8(saved.readAll());
    const qsizetype rule = contents.indexOf("\n----\n");
    ASSERT_GT(rule, 0);
    EXPECT_EQ(contents.mid(rule + 6), text);
    const QString header = contents.left(rule);
    EXPECT_TRUE(header.startsWith("modflash " + BuildInfo::version() + " log, saved 20"));
    EXPECT_TRUE(header.contains("\nProduct: Wendrel\nVersion: 2.0 ("));
    EXPECT_TRUE(header.contains(
        "avr-programmer=usbtiny, stlink-programmer=ST-Link v2, "
        "feed-url=, feed-name=, enable-factory-firmware=no, mass-erase-before-programming=no, "
        "check-module-before-writing=yes"));
    EXPECT_EQ(banner(), "Update completed");
    EXPECT_EQ(controls().saveLogButton->text(), "Saved");
    EXPECT_TRUE(QTest::qWaitFor([&] { return controls().copyLogButton->text() == "&Copy Log"; }));
    answerSaveChooser = nullptr;
    controls().saveLogAction->trigger();
    answerSaveChooser(std::nullopt);
    EXPECT_TRUE(problems.isEmpty());

    // A file that cannot be written is reported with the system's own reason, also when the
    // disk fills (here: the size limit) while the log is written.
    QTest::mouseClick(controls().saveLogButton, Qt::LeftButton);
    answerSaveChooser(home.filePath("no-such-directory/log.txt"));
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{16, limit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    QTest::mouseClick(controls().saveLogButton, Qt::LeftButton);
    answerSaveChooser(home.filePath("big.txt"));
    setrlimit(RLIMIT_FSIZE, &limit);
    ASSERT_EQ(problems.size(), 2);
    EXPECT_TRUE(
        problems[0].endsWith("no-such-directory/log.txt\u201d: No such file or directory."));
    EXPECT_TRUE(problems[1].endsWith("big.txt\u201d: File too large."))
        << problems[1].toStdString();
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files).filter("big"), QStringList());
}

} // namespace
} // namespace modflash::testing
