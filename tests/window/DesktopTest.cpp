// The window on the desktop: what assistive technologies read of it, its contrast under light
// and dark palettes, whole product titles, its size on a small screen, and its icon.
#include "LogTextView.h"
#include "ReadableColour.h"
#include "WindowFixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

namespace modflash::testing {
namespace {

using Desktop = WindowFixture;

// Each text boundary, each way, at the given offsets: the log's own look-ups, which read only
// the lines around an offset, answer exactly as Qt's plain-text rules do on the whole text.
TEST(LogAccessibility, AnswersAsQtsPlainTextRulesOnTheWholeText) {
    using Boundary = QAccessible::TextBoundaryType;
    const QString run(700 * 1024, u'x'); // two of them do not fit one storage block
    const struct {
        QString text;
        bool everyOffset; // else those near line breaks, where blocks and lines meet
        QList<Boundary> boundaries;
    } logs[] = {
        {"avrdude: Version 7.1\n\n\n\n  Done.  Thank you.\n\tx = 1; y.\n\n",
         true,
         {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
          QAccessible::ParagraphBoundary, QAccessible::LineBoundary}},
        {"first\n" + run + "\nsecond  one.\n\n" + run + "\nlast",
         false,
         {QAccessible::LineBoundary}},
    };
    for (const auto& log : logs) {
        LogTextView view;
        view.appendText(log.text);
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&view)->textInterface();
        ASSERT_NE(text, nullptr);
        ASSERT_EQ(text->text(0, text->characterCount()), log.text);
        QList<int> offsets{-2}; // -1, the end, is the offset after the last
        for (int offset = 0; offset <= log.text.size() + 1; ++offset)
            if (log.everyOffset || log.text.mid(std::max(offset - 1, 0), 3).contains(u'\n'))
                offsets << offset;
        for (const int offset : offsets) {
            for (const Boundary boundary : log.boundaries) {
                int start = 0, end = 0, expectedStart = 0, expectedEnd = 0;
                const auto where =
                    "offset " + std::to_string(offset) + ", boundary " + std::to_string(boundary);
                // Past the end Qt's own look-up of words and sentences never ends: none is there.
                const bool pastWords =
                    offset == log.text.size() && (boundary == QAccessible::WordBoundary ||
                                                  boundary == QAccessible::SentenceBoundary);
                expectedStart = expectedEnd = offset;
                EXPECT_EQ(text->textAtOffset(offset, boundary, &start, &end),
                          pastWords ? QString()
                                    : text->QAccessibleTextInterface::textAtOffset(
                                          offset, boundary, &expectedStart, &expectedEnd))
                    << where;
                EXPECT_EQ(std::pair(start, end), std::pair(expectedStart, expectedEnd)) << where;
                EXPECT_EQ(text->textBeforeOffset(offset, boundary, &start, &end),
                          text->QAccessibleTextInterface::textBeforeOffset(
                              offset, boundary, &expectedStart, &expectedEnd))
                    << where;
                EXPECT_EQ(std::pair(start, end), std::pair(expectedStart, expectedEnd)) << where;
                EXPECT_EQ(text->textAfterOffset(offset, boundary, &start, &end),
                          text->QAccessibleTextInterface::textAfterOffset(
                              offset, boundary, &expectedStart, &expectedEnd))
                    << where;
                EXPECT_EQ(std::pair(start, end), std::pair(expectedStart, expectedEnd)) << where;
            }
        }
        // A selection made by a screen reader is the view's, caret at its moving end.
        for (const auto& [anchor, cursor] : {std::pair{3, 0},
                                             {0, text->characterCount()},
                                             {text->characterCount() - 3, 5},
                                             {4, 4}}) {
            text->setSelection(0, anchor, cursor);
            const auto [start, end] = std::pair(std::min(anchor, cursor), std::max(anchor, cursor));
            int selectionStart = -1, selectionEnd = -1;
            text->selection(0, &selectionStart, &selectionEnd);
            EXPECT_EQ(view.selectedText(), log.text.mid(start, end - start));
            EXPECT_EQ(text->selectionCount(), start == end ? 0 : 1);
            if (start != end) {
                EXPECT_EQ(std::pair(selectionStart, selectionEnd), std::pair(start, end));
            }
            EXPECT_EQ(text->cursorPosition(), cursor);
        }
    }
}

void collectNames(QAccessibleInterface* node, QMap<QString, QString>& names) {
    if (auto* widget = qobject_cast<QWidget*>(node->object()); widget && widget->isVisible())
        names.insert(widget->objectName(), node->text(QAccessible::Name));
    for (int child = 0; child < node->childCount(); ++child)
        if (QAccessibleInterface* inner = node->child(child))
            collectNames(inner, names);
}

// The status lines are read by their texts: a fixed name would hide the verdict, and Qt tells
// assistive technologies of a label's new text only while the text is its name.
TEST_F(Desktop, AScreenReaderNamesEveryControlAndReadsTheLogAndTheVerdict) {
    installTools("echo 'avrdude: 12 bytes of flash verified'\nexit 0");
    start();
    choose("Wendrel", "2.0");
    usbDevices.plug(dfuBootLoader);
    clickUpdate();
    ASSERT_TRUE(waitForFinish());
    QMap<QString, QString> names;
    collectNames(QAccessible::queryAccessibleInterface(&window()), names);
    for (const char* control :
         {"productList", "versionList", "updateButton", "stopButton", "avrProgrammerSelector",
          "stlinkProgrammerSelector", "factoryFirmwareEnable", "massEraseBeforeProgramming",
          "helpButton", "logTextField", "progressBar", "copyLogButton", "saveLogButton"})
        EXPECT_FALSE(names.value(control).isEmpty()) << control << " has no name";
    EXPECT_EQ(names.value("progressBar"), "Update progress");
    EXPECT_EQ(names.value("bannerLabel"), "Update completed");
    EXPECT_EQ(names.value("deviceLine"), "DFU boot loader found (USB 0483:df11)");

    QAccessibleInterface* log = QAccessible::queryAccessibleInterface(controls().logTextField);
    EXPECT_EQ(log->text(QAccessible::Name), "Log");
    EXPECT_TRUE(log->state().readOnly && log->state().multiLine);
    QAccessibleTextInterface* text = log->textInterface();
    int start = 0, end = 0;
    EXPECT_EQ(
        text->textBeforeOffset(text->characterCount(), QAccessible::LineBoundary, &start, &end),
        "UPDATE COMPLETED SUCCESSFULLY\n");
}

// The pop-up gives every title the room it asks for, also in a style that makes it only as
// wide as the box; the tips tell each title, and the box's the chosen one, whole.
TEST_F(Desktop, TheProductListShowsWholeTitles) {
    const QString styleBefore = QApplication::style()->name();
    for (const char* style : {"Windows", "Fusion"}) {
        QApplication::setStyle(QString::fromUtf8(style));
        start(true);
        QComboBox* list = controls().productList;
        list->showPopup();
        const QAbstractItemView* popup = list->view();
        for (int row = 1; row < list->count(); ++row) { // after the placeholder
            const QModelIndex entry = list->model()->index(row, 0);
            EXPECT_GE(popup->viewport()->width(), popup->sizeHintForIndex(entry).width())
                << style << ": " << list->itemText(row).toStdString() << " is cut";
            EXPECT_EQ(entry.data(Qt::ToolTipRole).toString(), list->itemText(row));
        }
        list->hidePopup();
        pick(list, "Parvonne (rev009 or Higher)");
        EXPECT_EQ(list->toolTip(), "Parvonne (rev009 or Higher)");
    }
    QApplication::setStyle(styleBefore);
}

// At a scale factor of 2 the offscreen screen of 800x800 pixels offers 400x400, less than
// the window's designed size: it opens inside all the same. Qt reads the factor as it starts,
// so this program runs the check again under it.
TEST(WindowSize, OpensInsideTheScreenAtScaleFactorTwo) {
    if (qEnvironmentVariable("QT_SCALE_FACTOR") != "2") {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_SCALE_FACTOR", "2");
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=WindowSize.*"});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString output = QString::fromUtf8(child.readAll());
        EXPECT_TRUE(child.exitCode() == 0 && output.contains("[  PASSED  ] 1 test."))
            << output.toStdString();
        return;
    }
    MainWindow window;
    window.show();
    const QRect available = window.screen()->availableGeometry();
    ASSERT_EQ(window.devicePixelRatio(), 2) << "the scale factor is not in force";
    EXPECT_TRUE(available.contains(window.frameGeometry()))
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
    const auto* contents = window.findChild<QWidget*>("centralWidget");
    EXPECT_EQ(contents->size().expandedTo(contents->minimumSizeHint()), contents->size())
        << "controls squeezed over each other";
}

// The built-in icon at the sizes desktops ask for: the chip on a clear ground.
TEST_F(Desktop, TheWindowCarriesTheApplicationsIcon) {
    start();
    for (const int size : {16, 48, 256}) {
        const QImage image = window().windowIcon().pixmap(size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << size;
        EXPECT_EQ(image.pixelColor(size / 2, size * 3 / 4).alpha(), 255) << size;
    }
}

// A dark palette as desktops and Qt applications commonly make it for the Fusion style.
QPalette darkPalette() {
    QPalette palette;
    const QColor window(53, 53, 53), blue(42, 130, 218);
    for (const auto& [role, colour] : {std::pair{QPalette::Window, window},
                                       {QPalette::WindowText, QColor(Qt::white)},
                                       {QPalette::Base, QColor(25, 25, 25)},
                                       {QPalette::AlternateBase, window},
                                       {QPalette::Text, QColor(Qt::white)},
                                       {QPalette::Button, window},
                                       {QPalette::ButtonText, QColor(Qt::white)},
                                       {QPalette::Link, blue},
                                       {QPalette::Highlight, blue},
                                       {QPalette::HighlightedText, QColor(Qt::black)}})
        palette.setColor(role, colour);
    return palette;
}

// Each text under WCAG's least contrast, with what it says and its contrast: the window's
// labels on what is behind them, the instructions page's runs of text on the browser's base.
QStringList poorContrasts(QWidget* window, QTextBrowser* browser) {
    QStringList poor;
    const auto check = [&](const QString& text, const QColor& colour, const QColor& behind) {
        const double ratio = ReadableColour::contrastRatio(colour, behind);
        if (ratio < ReadableColour::minimumContrast)
            poor << QStringLiteral("%1 (%2:1)").arg(text.left(40)).arg(ratio, 0, 'f', 2);
    };
    // Disabled controls are exempt, and Fusion greys them out well below.
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisible() && label->isEnabled() && !label->text().isEmpty())
            check(label->text(), label->palette().color(label->foregroundRole()),
                  label->parentWidget()->palette().color(QPalette::Window));
    const QColor base = browser->palette().color(QPalette::Base);
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto run = block.begin(); !run.atEnd(); ++run) {
            const QBrush brush = run.fragment().charFormat().foreground();
            check(run.fragment().text(),
                  brush.style() == Qt::NoBrush ? browser->palette().color(QPalette::Text)
                                               : brush.color(),
                  base);
        }
    return poor;
}

// Each verdict and the product's page, seen under each palette, the palette changing while
// they show; then every instructions page under each palette.
TEST_F(Desktop, EveryTextReadsWellUnderLightAndDarkPalettes) {
    const QString styleBefore = QApplication::style()->name();
    const QPalette paletteBefore = QApplication::palette();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QPalette palettes[] = {QApplication::style()->standardPalette(), darkPalette()};
    const struct {
        QByteArray tool;
        QString verdict;
        bool devicePlugged;
    } updates[] = {
        {"exit 0", "Update completed", false},
        {"echo 'dfu-util: Cannot open DFU device 0483:df11'\nexit 74", "Update failed", false},
        {"printf 'Download\\t[=========================] 100%%        45060 bytes\\n"
         "Download done.\\ndfu-util: Error during download get_status\\n'\nexit 74",
         "The image was written completely", true},
    };
    const QDir pages(QStringLiteral(MODFLASH_SOURCE_RESOURCES "/instructions"));
    QFile page(pages.filePath("Wendrel.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    resources.writeFile("instructions/Wendrel.html", page.readAll());
    start();
    choose("Wendrel", "2.0");
    QTextBrowser* browser = controls().instructionsView;
    for (const auto& update : updates) {
        if (update.devicePlugged)
            usbDevices.plug(dfuBootLoader);
        installTools(update.tool);
        clickUpdate();
        ASSERT_TRUE(waitForFinish());
        EXPECT_TRUE(banner().startsWith(update.verdict)) << banner().toStdString();
        for (const QPalette& palette : palettes) {
            QApplication::setPalette(palette);
            QCoreApplication::processEvents();
            const QStringList poor = poorContrasts(&window(), browser);
            EXPECT_TRUE(poor.isEmpty()) << poor.join(", ").toStdString();
        }
    }
    for (const QPalette& palette : palettes) {
        QApplication::setPalette(palette);
        QCoreApplication::processEvents();
        for (const QString& page : pages.entryList({"*.html"})) {
            browser->setSource(QUrl::fromLocalFile(pages.filePath(page)));
            const QStringList poor = poorContrasts(browser, browser);
            EXPECT_TRUE(poor.isEmpty())
                << page.toStdString() << ": " << poor.join(", ").toStdString();
        }
    }
    QApplication::setStyle(styleBefore);
    QApplication::setPalette(paletteBefore);
}

} // namespace
} // namespace modflash::testing
