// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own behaviour: what it offers and allows, the preferences it stores, choosing a
// version or a file, locking while an update runs, its progress and verdict, closing during an
// update, drops and the device line.
#include "Golden.h"
#include "WindowFixture.h"
#include "update/UserLanguage.h"
#include "window/LogView.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QProcess>
#include <QWheelEvent>

namespace modflash::testing {
namespace {

const QString parvonne = QStringLiteral("Parvonne (rev009 or Higher)");
const QString wendrel = QStringLiteral("Wendrel");
const QString other = QStringLiteral("Other...");
const QString placeholder = QStringLiteral("Select a version");
const QStringList plainProducts{parvonne, QStringLiteral("Tessary 1U (rev002)"), wendrel};
const QStringList allProducts{QStringLiteral("Kolvane"), parvonne,
                              QStringLiteral("Tessary 1U (rev002)"), wendrel,
                              QStringLiteral("Zembro")};

using Window = WindowFixture;

TEST_F(Window, StartsWithTheOfferOnlyAndWritesNothing) {
    start();
    const WindowControls& c = controls();
    EXPECT_EQ(c.productList->count(), 37);
    EXPECT_EQ(c.productList->currentText(), "Select a product");
    EXPECT_EQ(offeredTitles(c.productList), plainProducts);
    EXPECT_EQ(allTitles(c.versionList), QStringList{placeholder});
    EXPECT_TRUE(offeredTitles(c.versionList).isEmpty());
    EXPECT_EQ(std::tuple(c.versionList->isEnabled(), c.updateButton->isEnabled(),
                         c.stopButton->isEnabled()),
              std::tuple(false, false, false));
    EXPECT_EQ(c.versionLabel->text(), "Build date: " + BuildInfo::buildDate());
    EXPECT_TRUE(c.instructionsView->toPlainText().contains("Welcome"));
    EXPECT_EQ(log(), "Select a product and version above, then hit \"Update\" to begin\n");
    EXPECT_TRUE(LogView::isMonospaced(c.logTextField->font()));
    EXPECT_EQ(c.avrProgrammerSelector->currentText(), "usbtiny");
    EXPECT_EQ(c.stlinkProgrammerSelector->currentText(), "ST-Link v2");
    EXPECT_FALSE(c.factoryFirmwareEnable->isChecked());
    EXPECT_FALSE(c.massEraseBeforeProgramming->isChecked());
    EXPECT_FALSE(c.progressBar->isVisible());
    EXPECT_EQ(std::pair(c.imageLine->isVisible(), c.releaseLine->isVisible()),
              std::pair(false, false))
        << "no image chosen yet";

    // Hidden products are out of reach of keys, typing and the wheel, never only out of sight.
    c.productList->setFocus();
    for (const auto& [key, expected] : {std::pair{Qt::Key_Down, parvonne},
                                        {Qt::Key_Up, parvonne},
                                        {Qt::Key_End, wendrel},
                                        {Qt::Key_Home, parvonne}}) {
        QTest::keyClick(c.productList, key);
        EXPECT_EQ(c.productList->currentText(), expected);
    }
    EXPECT_EQ(delegate().product()->title(), parvonne.toStdString());
    QStringList seen;
    for (int step : {1, 1, 1, -1, -1, -1, -1}) {
        const QPointF at = c.productList->rect().center();
        QWheelEvent wheel(at, c.productList->mapToGlobal(at), {}, {0, step * 120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(c.productList, &wheel);
        seen << c.productList->currentText();
    }
    seen.removeDuplicates();
    seen.sort();
    EXPECT_EQ(seen, plainProducts);
    quit();
    EXPECT_TRUE(storedKeys().isEmpty()) << "defaults are registered, never stored";

    // Without images nothing is offered, and the page says where images come from, the feed
    // among them, and opens the user's own folder, made first.
    resources.remove("firmware");
    start();
    EXPECT_TRUE(offeredTitles(controls().productList).isEmpty());
    const QString page = controls().instructionsView->toPlainText();
    const QString folder = home.filePath("XDG_DATA_HOME/modflash/firmware");
    EXPECT_TRUE(page.startsWith("No firmware images yet"));
    for (const QString& part :
         {resources.path() + "/firmware", folder, controls().feedLine->text()})
        EXPECT_TRUE(page.contains(part)) << part.toStdString();
    // A new palette (the desktop turning dark) shows this page again, not the last one loaded.
    controls().instructionsView->setPalette(QPalette(Qt::darkGray));
    EXPECT_TRUE(controls().instructionsView->toPlainText().startsWith("No firmware images yet"));
    const QUrl link("modflash:open-firmware-folder");
    ASSERT_TRUE(controls().instructionsView->toHtml().contains(link.toString()));
    emit controls().instructionsView->anchorClicked(link);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(openedUrls, QList<QUrl>{QUrl::fromLocalFile(folder)});
}

TEST_F(Window, EachPreferenceIsStoredAtOnceAndRestored) {
    QSettings(preferencesFile(), QSettings::IniFormat)
        .setValue("avr-programmer", "retired-programmer");
    start();
    const WindowControls& c = controls();
    // A programmer this version does not offer still drives avrdude, so it shows as it is.
    EXPECT_EQ(c.avrProgrammerSelector->currentText(), "retired-programmer");
    pick(c.avrProgrammerSelector, "avrisp2");
    EXPECT_EQ(stored("avr-programmer"), "avrisp2");
    pick(c.stlinkProgrammerSelector, "ST-Link v2-1");
    EXPECT_EQ(stored("stlink-programmer"), "ST-Link v2-1");
    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    EXPECT_EQ(stored("enable-factory-firmware"), true);
    EXPECT_EQ(offeredTitles(c.productList), allProducts);
    pick(c.productList, "Kolvane");
    QTest::mouseClick(c.massEraseBeforeProgramming, Qt::LeftButton);
    EXPECT_EQ(stored("mass-erase-before-programming"), true);
    // Off again: the chosen product's entry goes at once, yet it stays chosen, its list as is.
    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    EXPECT_EQ(stored("enable-factory-firmware"), false);
    EXPECT_EQ(offeredTitles(c.productList), plainProducts);
    EXPECT_EQ(delegate().product()->title(), "Kolvane");
    EXPECT_EQ(allTitles(c.versionList), (QStringList{"1.0", other, placeholder}));
    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);

    quit();
    QSettings(preferencesFile(), QSettings::IniFormat).setValue("stlink-programmer", "ST-Link v9");
    start();
    EXPECT_EQ(controls().avrProgrammerSelector->currentText(), "avrisp2");
    // An unknown probe drives openocd's default one, and the pop-up says so.
    EXPECT_EQ(controls().stlinkProgrammerSelector->currentText(), "ST-Link v2");
    EXPECT_TRUE(controls().factoryFirmwareEnable->isChecked());
    EXPECT_TRUE(controls().massEraseBeforeProgramming->isChecked());
    EXPECT_EQ(storedKeys().size(), 4);
}

TEST_F(Window, VersionsOtherAndChosenFiles) {
    start(true);
    const WindowControls& c = controls();
    pick(c.productList, wendrel);
    EXPECT_EQ(allTitles(c.versionList), (QStringList{"1.4.2", "2.0", other, placeholder}));
    EXPECT_EQ(c.versionList->currentText(), placeholder);
    EXPECT_FALSE(c.updateButton->isEnabled());
    // Moving through the versions by keys never opens the chooser, Enter on "Other..." does.
    c.versionList->setFocus();
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_End, Qt::Key_Home})
        QTest::keyClick(c.versionList, key);
    QTest::keyClicks(c.versionList, "o");
    EXPECT_EQ(c.versionList->currentText(), other);
    EXPECT_FALSE(choiceExtension) << "moving onto \"Other...\" is not choosing it";
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Return})
        QTest::keyClick(c.versionList, key);
    EXPECT_EQ(choiceExtension, "bin");
    answerChooser(outsideFile("mine.bin"));
    EXPECT_EQ(c.versionList->currentText(), "mine");
    // The list still takes a version moved to, as the Update button shows.
    QTest::keyClick(c.versionList, Qt::Key_Home);
    EXPECT_EQ(c.versionList->currentText(), "1.4.2");
    EXPECT_TRUE(c.updateButton->isEnabled());
    QCoreApplication::processEvents(); // a click comes only after the key is done with
    // Each answer of the chooser: the file, the entry then chosen, the file "Other..." holds.
    // Any letter case of the family's extension will do, as everywhere; a cancel or a file of
    // the other family changes nothing, and the latter says why.
    const std::tuple<QString, QString, QString> answers[] = {
        {"custom-build.BIN", "custom-build", "custom-build"},
        {"second.v2.bin", "second.v2", "second.v2"},
        {"", other, "second.v2"},
        {"image.hex", other, "second.v2"}};
    for (const auto& [file, chosen, held] : answers) {
        choiceExtension.reset();
        pick(c.versionList, other);
        EXPECT_EQ(choiceExtension, "bin");
        EXPECT_FALSE(c.updateButton->isEnabled()) << "while the chooser is open";
        answerChooser(file.isEmpty() ? std::nullopt : std::optional(outsideFile(file)));
        EXPECT_EQ(allTitles(c.versionList),
                  (QStringList{"1.4.2", "2.0", held, other, placeholder}));
        EXPECT_EQ(c.versionList->currentText(), chosen) << file.toStdString();
        EXPECT_EQ(c.updateButton->isEnabled(), chosen != other);
    }
    EXPECT_EQ(problems, QStringList{"Not a Firmware Image: \u201cimage.hex\u201d is not a .bin "
                                    "file, so it is not an image for Wendrel. Choose a file "
                                    "ending in .bin."});
    EXPECT_EQ(delegate().otherVersionFirmware()->version(), "second.v2");

    // A new choice of product drops the file; an answer for a list since rebuilt is ignored.
    pick(c.versionList, other);
    pick(c.productList, parvonne);
    answerChooser(outsideFile("late.bin"));
    EXPECT_EQ(allTitles(c.versionList), (QStringList{"1.0", "1.1", "2.0", other, placeholder}));
    EXPECT_FALSE(delegate().otherVersionFirmware());
    // "Other..." follows the factory setting only from the next choice of product on.
    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    EXPECT_TRUE(allTitles(c.versionList).contains(other));
    pick(c.productList, parvonne);
    EXPECT_FALSE(allTitles(c.versionList).contains(other));
}

TEST_F(Window, AnUpdateLocksTheWindowEndsInItsVerdictAndHoldsOffClosing) {
    installTools("echo 'Writing | ##########'\n" + gate() +
                 "echo 'error: verification failed'\nexit 1");
    start();
    const WindowControls& c = controls();
    c.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(c.window));
    choose(parvonne, "2.0");
    c.updateButton->setFocus();
    clickUpdate();
    EXPECT_EQ(c.tabView->currentIndex(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return log().contains("##########"); }, toolTimeout));
    const auto enabled = [&] {
        return QList<bool>{c.productList->isEnabled(), c.versionList->isEnabled(),
                           c.updateButton->isEnabled(), c.factoryFirmwareEnable->isEnabled(),
                           c.stopButton->isEnabled()};
    };
    EXPECT_EQ(enabled(), (QList<bool>{false, false, false, false, true}));
    EXPECT_TRUE(c.progressBar->isVisible());
    EXPECT_EQ(c.progressBar->value(), 20);
    delegate().doUpdate(); // a stray call must not start a second update
    openGate();
    ASSERT_TRUE(waitForFinish());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(banner(), "Update failed: error: verification failed. Check the ISP cable (red "
                        "stripe to pin 1), the module's supply and the programmer chosen in the "
                        "preferences.");
    EXPECT_EQ(c.progressBar->format(), "Writing %p% \u2013 failed");
    EXPECT_EQ(enabled(), (QList<bool>{true, true, true, true, false}));
    EXPECT_EQ(c.versionList->currentText(), "2.0");
    // Focus goes back where the next choice is made, never onto a preference a stray key
    // would change.
    EXPECT_EQ(QApplication::focusWidget(), c.versionList.data());

    // Stop: the flag falls at once, the window waits for the tool and says so.
    installTools("trap 'echo stopping; exit 1' TERM\necho 'Writing | #####'\necho started\n" +
                 gate());
    QFile::remove(home.filePath("gate"));
    clickUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log().endsWith("started\n"); }, toolTimeout));
    const QString before = log();
    QTest::mouseClick(c.stopButton, Qt::LeftButton);
    EXPECT_FALSE(delegate().isRunning());
    EXPECT_EQ(log(), before);
    EXPECT_EQ(banner(), "Stopping the update: waiting for the tool to end");
    ASSERT_TRUE(waitForFinish());
    EXPECT_EQ(banner(), "Update stopped: avrdude was stopped before it finished");
    EXPECT_EQ(std::pair(c.progressBar->format(), c.progressBar->value()),
              std::pair(QString("Writing %p% \u2013 stopped"), 10));
    EXPECT_TRUE(log().startsWith(before + "stopping\n"));

    // Another product: the verdict and the bar go, the log stays, and so does the tab in front.
    pick(c.productList, wendrel);
    EXPECT_EQ(std::tuple(banner(), c.progressBar->isVisible(), c.tabView->currentIndex()),
              std::tuple(QString(), false, 1));
    EXPECT_TRUE(log().contains("stopping\n"));

    // Closing during an update asks; a yes stops the tool, and the window waits for its verdict.
    pick(c.versionList, "2.0");
    clickUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log().endsWith("started\n"); }, toolTimeout));
    answerConfirmation = nullptr;
    window().findChild<QAction*>("quitAction")->trigger(); // File > Quit closes the same way
    ASSERT_TRUE(answerConfirmation);
    answerConfirmation(false);
    EXPECT_EQ(std::pair(window().isVisible(), delegate().isRunning()), std::pair(true, true));
    EXPECT_FALSE(window().close());
    answerConfirmation(true);
    EXPECT_FALSE(delegate().isRunning());
    EXPECT_TRUE(window().isVisible()) << "until the tool has ended and given its verdict";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window().isVisible(); }, toolTimeout));
    EXPECT_TRUE(log().contains("stopping\n\nIMPORTANT\n"));

    // The session's end stops the tool without asking.
    start();
    choose(wendrel, "2.0");
    clickUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log().endsWith("started\n"); }, toolTimeout));
    answerConfirmation = nullptr;
    delegate().terminate();
    EXPECT_FALSE(answerConfirmation);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window().isVisible(); }, toolTimeout));
}

// What the desktop sends when a file is dragged over the window and, unless it only hovers, let
// go: onto whichever page is in front, which passes on what it refuses.
bool drop(QWidget* page, const QList<QUrl>& urls, bool hoverOnly = false) {
    QMimeData data;
    data.setUrls(urls);
    QWidget* target = page->childAt(page->rect().center());
    target = target ? target : page;
    QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &enter);
    if (hoverOnly)
        return enter.isAccepted();
    QDropEvent dropped(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &dropped);
    return enter.isAccepted() && dropped.isAccepted();
}

TEST_F(Window, DroppedFilesAreTakenAsThroughOtherOrRefusedWithAReason) {
    start(false);
    EXPECT_TRUE(window().acceptDrops()) << "the desktop would never offer the window a drop";
    QWidget* page = controls().tabView->currentWidget();
    const QString image = outsideFile("custom-9.9.BIN");
    const QUrl file = QUrl::fromLocalFile(image);
    // Each drop while it hovers and once let go, with the banner then: a refusal's reason shows
    // while the file hovers. The reviewed transcript is tests/data/window/drops.txt.
    QString transcript;
    const auto dropAll = [&](const QList<QList<QUrl>>& drops) {
        for (const QList<QUrl>& urls : drops) {
            transcript += QUrl::toStringList(urls).join(' ') + ':';
            for (const bool hoverOnly : {true, false}) {
                const bool taken = drop(page, urls, hoverOnly);
                transcript += QString(" %1 %2, \u201c%3\u201d;")
                                  .arg(hoverOnly ? "hovering" : "let go",
                                       taken ? "taken" : "refused", banner());
            }
            transcript += '\n';
        }
    };
    dropAll({{file}});
    QTest::mouseClick(controls().factoryFirmwareEnable, Qt::LeftButton);
    dropAll({{file}});
    pick(controls().productList, wendrel);
    dropAll({{file, file},
             {QUrl("https://example.net/x.bin")},
             {QUrl::fromLocalFile(outsideFile("x.hex"))},
             {file}});
    expectMatchesGolden("drops.txt",
                        transcript.replace(resources.path(), "{resources}").toStdString());
    EXPECT_EQ(delegate().otherVersionFirmware()->path(), image.toStdString());
    EXPECT_EQ(controls().versionList->currentText(), "custom-9.9");
    EXPECT_TRUE(controls().updateButton->isEnabled());
}

// The instructions page and the help links follow the product, as does the device line.
TEST_F(Window, InstructionsHelpLinksAndTheDeviceLineFollowTheProduct) {
    start(true);
    QLabel* line = controls().deviceLine;
    EXPECT_FALSE(line->isVisible()) << "no product, no line";
    QTextBrowser* view = controls().instructionsView;
    pick(controls().productList, "Tessary 1U (rev002)");
    EXPECT_TRUE(view->source().toLocalFile().endsWith("/Tessary_1U_f4.html"));
    pick(controls().productList, "Kolvane");
    EXPECT_EQ(view->toPlainText(), "") << "a product without a page shows none, not the last";
    pick(controls().productList, parvonne);
    // A click on the page's link, inside the word "Cables".
    const QRect end = view->cursorRect(view->document()->find("Cables"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, end.center() - QPoint(8, 0));
    QTest::mouseClick(controls().helpButton, Qt::LeftButton);
    EXPECT_EQ(openedUrls, (QList<QUrl>{QUrl("https://example.net/cable"), BuildInfo::helpUrl()}));
    EXPECT_TRUE(view->toPlainText().contains("Parvonne steps")) << "the page stays";
    EXPECT_EQ(BuildInfo::helpUrl().scheme() + BuildInfo::helpUrl().path(),
              "https/firmware-updates");
    // The device line after each change, in the reviewed tests/data/window/device-lines.txt.
    QString lines = line->text() + '\n';
    for (const auto& change : std::initializer_list<std::function<void()>>{
             [&] { usbDevices.plug(usbasp); },
             [&] { pick(controls().avrProgrammerSelector, "usbasp"); },
             [&] { pick(controls().productList, wendrel); },
             [&] { usbDevices.plug(dfuBootLoader); }, [&] { usbDevices.unplug(dfuBootLoader); },
             [&] { usbDevices.setAvailable(false); }}) {
        change();
        lines += line->text() + '\n';
    }
    expectMatchesGolden("device-lines.txt", lines.toStdString());
    EXPECT_TRUE(line->isVisible());
}

TEST_F(Window, ImageLineSaysWhatTheImageIsAndUpdateWaitsForAGoodOne) {
    resources.writeFile("firmware/Wendrel.5.0.bin", "<html><body>Moved</body></html>");
    resources.writeFile("firmware/Wendrel.6.0.bin", QByteArray(64, '\x7f'));
    resources.writeFile("firmware/Wendrel.7.0.bin",
                        ToolDirectory::validImage("x.bin") + QByteArray(40 * 1024, '\0'));
    resources.writeFile("firmware/samples.txt", "# samples\nWendrel.1.4.2.bin\n");
    installTools("echo written");
    usbDevices.memoryLayout = "@Internal Flash  /0x08000000/02*016Kg";
    start(true);
    const WindowControls& c = controls();
    pick(c.productList, wendrel);
    EXPECT_EQ(allTitles(c.versionList).first(), "1.4.2 (sample)");
    EXPECT_FALSE(c.imageLine->isVisible()) << "no version chosen, nothing to say";
    pick(c.versionList, "1.4.2 (sample)");
    EXPECT_TRUE(
        c.imageLine->text().startsWith("Sample image, not real firmware: binary, 32\u00a0bytes, "
                                       "SHA-256 "));
    const QColor plain = c.imageLine->palette().color(QPalette::WindowText);
    pick(c.versionList, "5.0");
    // Refused as a failed update is: in words, in bold and in the verdict's red.
    EXPECT_TRUE(
        c.imageLine->text().startsWith("Refused: \u201cWendrel.5.0.bin\u201d is an HTML page"));
    EXPECT_TRUE(c.imageLine->font().bold());
    EXPECT_NE(c.imageLine->palette().color(QPalette::WindowText), plain);
    EXPECT_FALSE(c.updateButton->isEnabled());
    EXPECT_EQ("Refused: " + c.updateButton->toolTip(), c.imageLine->text());
    // Once the boot loader says how much flash the module has, a larger image is refused.
    pick(c.versionList, "7.0");
    EXPECT_TRUE(c.updateButton->isEnabled());
    EXPECT_FALSE(c.imageLine->font().bold());
    EXPECT_EQ(c.imageLine->palette().color(QPalette::WindowText), plain);
    usbDevices.plug(dfuBootLoader);
    EXPECT_TRUE(c.deviceLine->text().endsWith(", 32\u00a0KiB flash"));
    EXPECT_FALSE(c.updateButton->isEnabled()) << c.imageLine->text().toStdString();
    // An image only a plausibility rule refuses is written after a yes, with factory firmware.
    pick(c.versionList, "6.0");
    EXPECT_TRUE(c.updateButton->isEnabled());
    clickUpdate();
    EXPECT_EQ(questions, QStringList{"Write This Image?"});
    answerConfirmation(false);
    EXPECT_FALSE(delegate().isBusy());
    clickUpdate();
    answerConfirmation(true);
    ASSERT_TRUE(waitForFinish());
    EXPECT_TRUE(log().endsWith("written\nUPDATE COMPLETED SUCCESSFULLY\n"));
    QTest::mouseClick(c.checkModuleBeforeWriting, Qt::LeftButton);
    EXPECT_EQ(stored("check-module-before-writing"), false);
}

// In German the image line says what the image is, and why it is refused, with German digits
// and quotation marks.
TEST_F(Window, ImageLineInGermanGroupsDigitsAndQuotesAsGermanDoes) {
    const UserLanguage german(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(german.active());
    resources.writeFile("firmware/Wendrel.5.0.bin", QByteArray(2048, '\xff'));
    const QByteArray valid = ToolDirectory::validImage("x.bin");
    resources.writeFile("firmware/Wendrel.7.0.bin", valid + QByteArray(2048 - valid.size(), '\0'));
    start(true);
    const WindowControls& c = controls();
    pick(c.productList, wendrel);
    pick(c.versionList, "7.0");
    EXPECT_TRUE(c.imageLine->text().startsWith("binär, 2.048\u00a0Bytes, SHA-256 "))
        << c.imageLine->text().toStdString();
    pick(c.versionList, "5.0");
    EXPECT_EQ(c.imageLine->text(), "Zurückgewiesen: " + c.updateButton->toolTip());
    EXPECT_TRUE(c.imageLine->text().startsWith("Zurückgewiesen: \u201eWendrel.5.0.bin\u201c ist "));
}

// A boot loader this user may not open is found and says so, with what to do in its tip; an
// update that failed before any phase names none on the bar. After a successful update the
// boot loader is gone as it should be, whether it goes before the update's end or after, and
// that is nothing to act on until the module is wanted in it again.
TEST_F(Window, TheDeviceLineWhenAccessIsRefusedAndAfterASuccessfulUpdate) {
    installTools("exit 1");
    start();
    const WindowControls& c = controls();
    const QColor plain = c.deviceLine->palette().color(QPalette::WindowText);
    const auto line = [&] {
        return std::tuple(c.deviceLine->text(),
                          c.deviceLine->palette().color(QPalette::WindowText) == plain);
    };
    usbDevices.refused = {dfuBootLoader};
    usbDevices.plug(dfuBootLoader);
    choose(wendrel, "2.0");
    EXPECT_EQ(line(), std::tuple(QString("DFU boot loader found, but this user may not open it "
                                         "(USB 0483:df11)"),
                                 false));
    EXPECT_TRUE(c.deviceLine->toolTip().startsWith("This user may not open the DFU boot loader"));
    clickUpdate();
    ASSERT_TRUE(waitForFinish());
    EXPECT_EQ(c.progressBar->format(), "Failed");

    usbDevices.refused.clear();
    usbDevices.unplug(dfuBootLoader);
    usbDevices.plug(dfuBootLoader);
    EXPECT_EQ(line(), std::tuple(QString("DFU boot loader found (USB 0483:df11)"), true));
    EXPECT_EQ(c.deviceLine->toolTip(), "");
    const QString left = "The module left its DFU boot loader after the update, as it should";
    installTools("echo written");
    clickUpdate();
    ASSERT_TRUE(waitForFinish());
    usbDevices.unplug(dfuBootLoader);
    EXPECT_EQ(line(), std::tuple(left, true));
    usbDevices.plug(dfuBootLoader);
    installTools("echo started\n" + gate() + "exit 0");
    clickUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log().endsWith("started\n"); }, toolTimeout));
    usbDevices.unplug(dfuBootLoader);
    EXPECT_TRUE(c.deviceLine->text().startsWith("No DFU boot loader found"));
    openGate();
    ASSERT_TRUE(waitForFinish());
    EXPECT_EQ(line(), std::tuple(left, true));
    // Without the boot loader the next update fails, and the line asks for it again.
    installTools("exit 1");
    clickUpdate();
    ASSERT_TRUE(waitForFinish());
    EXPECT_EQ(line(), std::tuple(QString("No DFU boot loader found: put the module into its boot "
                                         "loader mode as the instructions say"),
                                 false));
}

// The real dfu-util writes the virtual bench's boot loader from the Update button: the flash
// holds the image, and the error the boot loader gives after leaving DFU mode reads as what it
// is. Every family's tool on the bench, through modflash-cli: tests/virtual-bench/tool_runs.sh.
TEST_F(Window, TheRealToolWritesAnEmulatedModule) {
    const QDir usb("/dev/bus/usb");
    if (usb.exists() && !usb.isEmpty())
        GTEST_SKIP() << "a USB device is visible under /dev/bus/usb; the real tools could reach it";
    const QString bench = home.filePath("bench");
    QProcess prepare;
    prepare.start(MODFLASH_SOURCE_DIR "/scripts/virtual-bench",
                  {"--build", MODFLASH_BUILD_DIR, bench, "--dfu", "f4-late-error"});
    ASSERT_TRUE(prepare.waitForFinished(60000));
    ASSERT_EQ(prepare.exitCode(), 0) << prepare.readAllStandardError().toStdString();
    start(true, bench);
    choose(wendrel, "2.0 (sample)");
    clickUpdate();
    ASSERT_TRUE(waitForFinish());
    EXPECT_TRUE(banner().startsWith("The image was written completely; dfu-util reported an "
                                    "error only after the download had finished"))
        << banner().toStdString();
    const std::string image = readFile((bench + "/firmware/Wendrel.2.0.bin").toStdString());
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(
        readFile((bench + "/virtual-bench/dfu-flash.bin").toStdString()).substr(0, image.size()),
        image);
}

} // namespace
} // namespace modflash::testing

int main(int argc, char** argv) {
    // No system bus, whatever the machine has: the sleep lock stays away from its logind.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/modflash-test/system_bus_socket");
    const modflash::testing::PrivateRuntimeDirectory runtime;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
