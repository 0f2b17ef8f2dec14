// SPDX-License-Identifier: GPL-3.0-or-later
// The window on the desktop: what assistive technologies read of it, its contrast under light
// and dark palettes, whole product titles, its size at a scale factor of 2, and its icon.
#include "WindowFixture.h"
#include "window/PlainTextExcerpt.h"
#include "window/ReadableColour.h"

#include <QAbstractItemView>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTextBlock>

namespace modflash::testing {
namespace {

using Desktop = WindowFixture;
using Look = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*,
                                                   int*) const;

// The log's look-ups read only the lines around an offset, yet answer as Qt's plain-text rules
// do on the whole text, also where lines meet storage blocks; a screen reader's selection is
// the view's, with the caret at its moving end.
TEST(LogAccessibility, AnswersAsQtsPlainTextRulesOnTheWholeText) {
    const QString run(700 * 1024, u'x'); // two of them do not fit one storage block
    const std::pair<QString, QList<QAccessible::TextBoundaryType>> logs[] = {
        {"avrdude: Version 7.1\n\n\n\n  Done.  Thank you.\n\tx = 1; y.\n\n",
         {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
          QAccessible::LineBoundary}},
        {"first\n" + run + "\nsecond  one.\n\n" + run + "\nlast", {QAccessible::LineBoundary}},
        // The word before the last line's lies five lines back: the excerpt grows to it.
        {"word\n\n\n\n\nx", {QAccessible::WordBoundary}}};
    for (const auto& [log, boundaries] : logs) {
        LogTextView view;
        view.appendText(log);
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&view)->textInterface();
        const PlainTextExcerpt whole(text->text(0, text->characterCount()));
        ASSERT_EQ(whole.text(0, whole.characterCount()), log);
        for (int offset = -2; offset <= log.size() + 1; ++offset) {
            if (log.size() > run.size() && !log.mid(std::max(offset - 1, 0), 3).contains(u'\n'))
                continue; // a long log only where lines meet
            for (const auto boundary : boundaries)
                for (const Look look : {&QAccessibleTextInterface::textBeforeOffset,
                                        &QAccessibleTextInterface::textAtOffset,
                                        &QAccessibleTextInterface::textAfterOffset}) {
                    // At the end (-1) Qt's own look-up of a word or sentence never ends.
                    if ((offset == -1 || offset == log.size()) &&
                        look == &QAccessibleTextInterface::textAtOffset &&
                        (boundary == QAccessible::WordBoundary ||
                         boundary == QAccessible::SentenceBoundary))
                        continue;
                    int start = 0, end = 0, wholeStart = 0, wholeEnd = 0;
                    EXPECT_EQ((text->*look)(offset, boundary, &start, &end),
                              (whole.*look)(offset, boundary, &wholeStart, &wholeEnd));
                    EXPECT_EQ(std::pair(start, end), std::pair(wholeStart, wholeEnd))
                        << "offset " << offset << ", boundary " << boundary;
                }
        }
        for (const auto& [anchor, caret] : {std::pair{9, 2}, {1, text->characterCount()}}) {
            text->setSelection(0, anchor, caret);
            int start = 0, end = 0;
            text->selection(0, &start, &end);
            EXPECT_EQ(view.selectedText(), log.mid(start, end - start));
            EXPECT_EQ(std::tuple(start, end, text->cursorPosition()),
                      std::tuple(std::min(anchor, caret), std::max(anchor, caret), caret));
        }
    }
}

// The pop-up gives every title the room it asks for, also in a style that makes it only as
// wide as the box; the tips tell each title, and the box's the chosen one, whole. The window
// carries the built-in icon at the sizes desktops ask for: the chip on a clear ground.
TEST_F(Desktop, WholeProductTitlesAndTheIcon) {
    const QString styleBefore = QApplication::style()->name();
    for (const char* style : {"Windows", "Fusion"}) {
        QApplication::setStyle(QString::fromUtf8(style));
        start(true);
        QComboBox* list = controls().productList;
        list->showPopup();
        for (int row = 1; row < list->count(); ++row) { // after the placeholder
            const QModelIndex entry = list->model()->index(row, 0);
            EXPECT_GE(list->view()->viewport()->width(),
                      list->view()->sizeHintForIndex(entry).width())
                << style << ": " << list->itemText(row).toStdString() << " is cut";
            EXPECT_EQ(entry.data(Qt::ToolTipRole).toString(), list->itemText(row));
        }
        list->hidePopup();
        pick(list, "Parvonne (rev009 or Higher)");
        EXPECT_EQ(list->toolTip(), "Parvonne (rev009 or Higher)");
    }
    QApplication::setStyle(styleBefore);
    for (const int size : {16, 48, 256}) {
        const QImage icon = window().windowIcon().pixmap(size).toImage();
        EXPECT_EQ(std::tuple(icon.width(), icon.pixelColor(0, 0).alpha(),
                             icon.pixelColor(size / 2, size * 3 / 4).alpha()),
                  std::tuple(size, 0, 255));
    }
}

// The desktop's own choosers answer with the file a person accepted, and with nothing when the
// person cancels, even with a file selected; the image chooser opens where it is asked to. A
// problem's box lets its text be copied by keyboard too, and goes once it is closed.
TEST(Choosers, AnswerTheAcceptedFileAndNothingWhenCancelled) {
    QTemporaryDir dir;
    const QString image = dir.filePath("up.hex");
    ASSERT_TRUE(QFile(image).open(QIODevice::WriteOnly));
    const WindowServices desktop = WindowServices::desktop();
    QWidget window;
    for (const QString& file : {image, dir.filePath("log.txt")})
        for (const bool accepted : {true, false}) {
            using Answer = std::optional<QString>;
            std::optional<Answer> answer;
            const auto answered = [&](Answer path) { answer = path; };
            file == image ? desktop.chooseFile(&window, dir.path(), "hex", answered)
                          : desktop.chooseSaveFile(&window, "log.txt", answered);
            QFileDialog* dialog = window.findChild<QFileDialog*>();
            ASSERT_TRUE(dialog);
            if (file == image) {
                EXPECT_EQ(dialog->directory().absolutePath(), QDir(dir.path()).absolutePath());
            }
            dialog->selectFile(file);
            accepted ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
            EXPECT_EQ(answer, std::make_optional(accepted ? Answer(file) : Answer()))
                << file.toStdString();
            delete dialog;
        }
    desktop.reportProblem(&window, "Not Saved", "/no/such/log.txt");
    const QPointer<QMessageBox> box = window.findChild<QMessageBox*>();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    box->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(box);
}

// At a scale factor of 2 the offscreen screen offers 400x400, less than the window's designed
// size. Qt reads the factor as it starts: CTest runs this once more under QT_SCALE_FACTOR=2.
TEST(WindowSize, OpensInsideTheScreenAtScaleFactorTwo) {
    if (qEnvironmentVariable("QT_SCALE_FACTOR") != "2")
        GTEST_SKIP() << "runs as WindowSize.AtScaleFactorTwo, under QT_SCALE_FACTOR=2";
    MainWindow window;
    window.show();
    ASSERT_EQ(window.devicePixelRatio(), 2) << "the scale factor is not in force";
    EXPECT_TRUE(window.screen()->availableGeometry().contains(window.frameGeometry()));
    const auto* contents = window.findChild<QWidget*>("centralWidget");
    EXPECT_EQ(contents->size().expandedTo(contents->minimumSizeHint()), contents->size())
        << "controls squeezed over each other";
}

// The window's labels on what is behind them, the page's runs of text on the browser's base:
// each one under WCAG's least contrast, with its text and contrast.
QStringList poorContrasts(QWidget* window, QTextBrowser* browser) {
    QStringList poor;
    const auto check = [&](const QString& text, const QColor& colour, const QColor& behind) {
        const double ratio = ReadableColour::contrastRatio(colour, behind);
        if (ratio < ReadableColour::minimumContrast)
            poor << QStringLiteral("%1 (%2:1)").arg(text.left(40)).arg(ratio, 0, 'f', 2);
    };
    for (QLabel* label : window->findChildren<QLabel*>()) // disabled ones are exempt
        if (label->isVisible() && label->isEnabled() && !label->text().isEmpty())
            check(label->text(), label->palette().color(label->foregroundRole()),
                  label->parentWidget()->palette().color(QPalette::Window));
    const QPalette& palette = browser->palette();
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto run = block.begin(); !run.atEnd(); ++run) {
            const QBrush brush = run.fragment().charFormat().foreground();
            check(run.fragment().text(),
                  brush.style() == Qt::NoBrush ? palette.color(QPalette::Text) : brush.color(),
                  palette.color(QPalette::Base));
        }
    return poor;
}

// Each verdict, as a screen reader reads it and under Fusion's light palette and a common dark
// one, the palette changing while it shows, as does a page with every kind of text; no page
// brings colours of its own. Every control a person can reach is named. The status lines are
// read by their texts: Qt tells of a label's new text only while the text is its name.
TEST_F(Desktop, UpdatesAsScreenReadersAndLightAndDarkPalettesShowThem) {
    const QString styleBefore = QApplication::style()->name();
    const QPalette paletteBefore = QApplication::palette();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark(QColor(53, 53, 53)); // white text on dark grey
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    const QPalette palettes[] = {QApplication::style()->standardPalette(), dark};
    // Each with its banner's hue in degrees: green, red, amber.
    const std::tuple<QByteArray, QString, int> updates[] = {
        {"exit 0", "Update completed", 137},
        {"echo 'dfu-util: Cannot open DFU device 0483:df11'\nexit 74", "Update failed", 3},
        {"printf 'Download\\t[=========================] 100%%        45060 bytes\\n"
         "Download done.\\ndfu-util: Error during download get_status\\n'\nexit 74",
         "The image was written completely", 39}};
    // How far a label's text is from the hue, in degrees; -1 wants the palette's own, hueless.
    const auto hueOff = [](QLabel* label, int hue) {
        const int found = label->palette().color(label->foregroundRole()).hue();
        return (found < 0) != (hue < 0) ? 360 : std::abs((found - hue + 540) % 360 - 180);
    };
    const QDir pages(QStringLiteral(MODFLASH_SOURCE_RESOURCES "/instructions"));
    for (const QString& name : pages.entryList({"*.html"})) {
        QFile page(pages.filePath(name));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QByteArray html = page.readAll();
        EXPECT_FALSE(html.contains("color")) << name.toStdString();
        if (name == "parvonne.html") // headings, a note; and a link
            resources.writeFile("instructions/Wendrel.html",
                                QByteArray(html).replace("</body>", "<a href=\"x\">x</a></body>"));
    }
    start();
    choose("Wendrel", "2.0"); // missing its device, until the last update
    const auto nameOf = [](QWidget* control) {
        return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    };
    QAccessibleInterface* logReader =
        QAccessible::queryAccessibleInterface(controls().logTextField);
    EXPECT_EQ(std::pair(bool(logReader->state().readOnly), bool(logReader->state().multiLine)),
              std::pair(true, true));
    QAccessibleTextInterface* text = logReader->textInterface();
    for (const auto& [tool, verdict, hue] : updates) {
        const bool plugged = &verdict == &std::get<1>(updates[2]);
        if (plugged)
            usbDevices.plug(dfuBootLoader);
        installTools(tool);
        clickUpdate();
        ASSERT_TRUE(waitForFinish());
        EXPECT_TRUE(banner().startsWith(verdict)) << banner().toStdString();
        // The first shows no phase, so the bar names none.
        EXPECT_TRUE(&verdict != &std::get<1>(updates[0]) ||
                    controls().progressBar->text() == "100% \u2013 done");
        EXPECT_EQ(nameOf(controls().bannerLabel), banner());
        int start = 0, end = 0;
        EXPECT_EQ(text->textBeforeOffset(-1, QAccessible::LineBoundary, &start, &end),
                  log().section(u'\n', -2, -2) + u'\n');
        for (const QPalette& palette : palettes) {
            QApplication::setPalette(palette);
            QCoreApplication::processEvents();
            EXPECT_EQ(poorContrasts(&window(), controls().instructionsView), QStringList());
            // The verdict in its hue, the missing device in amber, shaded for the palette.
            EXPECT_LE(hueOff(controls().bannerLabel, hue), 10) << banner().toStdString();
            EXPECT_LE(hueOff(controls().deviceLine, plugged ? -1 : 39), 10);
        }
    }
    for (QWidget* control : window().findChildren<QWidget*>())
        if (control->isVisible() && control->focusPolicy() != Qt::NoFocus) {
            EXPECT_FALSE(nameOf(control).isEmpty()) << control->objectName().toStdString();
        }
    EXPECT_EQ(nameOf(controls().progressBar), "Update progress");
    EXPECT_EQ(nameOf(controls().deviceLine), "DFU boot loader found (USB 0483:df11)");
    QApplication::setStyle(styleBefore);
    QApplication::setPalette(paletteBefore);
}

} // namespace
} // namespace modflash::testing
