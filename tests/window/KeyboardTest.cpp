// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a keyboard user and a newcomer meet it: mnemonics and menus, moving through the
// lists, and the About box.
#include "WindowFixture.h"
#include "update/UserLanguage.h"
#include "window/AboutDialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

namespace modflash::testing {
namespace {

using Keyboard = WindowFixture;

// Every mnemonic reachable from the window itself with Alt (buttons, labels, tabs, menus) is
// unique, each menu has one, and none is used twice within a menu.
void expectUniqueMnemonics(const WindowControls& c) {
    // The key Alt reaches the text's control with, as Qt reads the "&"; empty for none.
    const auto mnemonic = [](const QString& text) {
        return QKeySequence::mnemonic(text).toString();
    };
    QStringList texts;
    for (const auto* button : c.window->findChildren<QAbstractButton*>())
        texts << button->text();
    for (const auto* label : c.window->findChildren<QLabel*>())
        texts << label->text();
    for (int tab = 0; tab < c.tabView->count(); ++tab)
        texts << c.tabView->tabText(tab);
    for (const QAction* menu : c.menuBar->actions()) {
        texts << menu->text();
        EXPECT_FALSE(mnemonic(menu->text()).isEmpty()) << menu->text().toStdString();
        QStringList inMenu;
        for (const QAction* item : menu->menu()->actions())
            if (!item->isSeparator())
                inMenu << mnemonic(item->text());
        EXPECT_EQ(inMenu.removeDuplicates(), 0) << menu->text().toStdString();
    }
    QStringList keys;
    for (const QString& text : texts)
        if (const QString key = mnemonic(text); !key.isEmpty()) {
            EXPECT_FALSE(keys.contains(key)) << text.toStdString();
            keys << key;
        }
}

TEST_F(Keyboard, EveryMnemonicIsUniqueAndF10OpensTheMenus) {
    start(true);
    const WindowControls& c = controls();
    expectUniqueMnemonics(c);
    c.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(c.window));
    EXPECT_EQ(c.menuBar->activeAction(), nullptr);
    QTest::keyClick(c.window, Qt::Key_F10);
    EXPECT_EQ(c.menuBar->activeAction(), c.menuBar->actions().first());
}

// An update that cannot run says why in German, yet the log and the diagnostic log stay English.
TEST_F(Keyboard, InGermanTheWindowAndItsMnemonicsAreGermanButTheLogIsNot) {
    const UserLanguage german(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(german.active());
    installTools("exit 0");
    resources.remove("avrdude.conf");
    start(true);
    const WindowControls& c = controls();
    expectUniqueMnemonics(c);
    EXPECT_EQ(c.updateButton->text(), "&Aktualisieren");
    EXPECT_EQ(c.menuBar->actions().constFirst()->text(), "&Datei");
    EXPECT_EQ(c.versionList->itemText(0), "Version auswählen");
    choose("Parvonne (rev009 or Higher)", "1.0");
    EXPECT_TRUE(c.deviceLine->text().startsWith("Kein USBtiny-Programmer gefunden: Schließen"))
        << c.deviceLine->text().toStdString();
    static QStringList diagnostics;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { diagnostics << text; });
    clickUpdate();
    ASSERT_TRUE(waitForFinish());
    qInstallMessageHandler(previous);
    EXPECT_EQ(diagnostics, QStringList{"Problem running task: avrdude's configuration file "
                                       "(avrdude.conf) is missing: looked for " +
                                       resources.filePath("avrdude.conf")});
    EXPECT_TRUE(log().endsWith("BEGINNING UPDATE\nERROR DURING UPDATE\n")) << log().toStdString();
    EXPECT_TRUE(banner().startsWith("Aktualisierung fehlgeschlagen: avrdude's configuration file"))
        << banner().toStdString();
}

// In German the bar and the banner name the phase in German, with the memory in avrdude's own
// word, while the tool writes and after it failed.
TEST_F(Keyboard, InGermanTheBarNamesThePhaseInGerman) {
    const UserLanguage german(QLocale(QLocale::German, QLocale::Germany));
    installTools(
        "echo 'avrdude: writing 504 bytes flash ...'\necho 'Writing | ####################'\n" +
        gate() + "echo 'avrdude error: programmer lost'\nexit 1");
    start(true);
    const WindowControls& c = controls();
    choose("Parvonne (rev009 or Higher)", "1.0");
    clickUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.progressBar->value() == 40; }, toolTimeout));
    EXPECT_EQ(c.progressBar->text(), "\u201eflash\u201c schreiben 40 %");
    EXPECT_EQ(banner(), "Aktualisierung: \u201eflash\u201c schreiben 40 %");
    openGate();
    ASSERT_TRUE(waitForFinish());
    EXPECT_EQ(c.progressBar->text(), "\u201eflash\u201c schreiben 40 % \u2013 fehlgeschlagen");
}

// The Log tab's letter shows and works in both languages, and Tab goes from the preferences to
// the module check before it leaves them.
TEST_F(Keyboard, TheLogTabHasAMnemonicAndTheModuleCheckFollowsTheOtherPreferences) {
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german ? "German" : "English");
        std::optional<UserLanguage> translation;
        if (german)
            translation.emplace(QLocale(QLocale::German, QLocale::Germany));
        start(true);
        const WindowControls& c = controls();
        c.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(c.window));
        const QKeySequence toLog = QKeySequence::mnemonic(c.tabView->tabText(1));
        ASSERT_FALSE(toLog.isEmpty());
        // Underlined, a letter that reaches below the line hides the underline in its tail.
        EXPECT_FALSE(QStringLiteral("GJPQY").contains(toLog.toString().back()))
            << toLog.toString().toStdString();
        QTest::keySequence(c.window, toLog);
        EXPECT_EQ(c.tabView->currentIndex(), 1);
        c.massEraseBeforeProgramming->setFocus();
        for (QWidget* next : {static_cast<QWidget*>(c.checkModuleBeforeWriting.data()),
                              static_cast<QWidget*>(c.helpButton.data())}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), next);
        }
        quit();
    }
}

TEST_F(Keyboard, TypingFindsAProductByWhatCanBeTypedButNeverAHiddenOne) {
    resources.writeFile("firmware/uTessary_3.1.bin", ToolDirectory::validImage("x.bin"));
    resources.writeFile("firmware/Parvonne2.1.0.bin", ToolDirectory::validImage("x.bin"));
    start(false);
    const WindowControls& c = controls();
    c.productList->setFocus();
    // "Zembro" is a factory product, hidden. For "p" the first title that fits, and only the
    // window's search: the list's own would go on.
    for (const auto& [keys, title] : {std::pair{"u", "\u00b5Tessary"},
                                      {"z", "\u00b5Tessary"},
                                      {"te", "Tessary 1U (rev002)"},
                                      {"p", "Parvonix"}}) {
        QTest::keyClicks(c.productList, keys);
        EXPECT_EQ(c.productList->currentText(), title) << keys;
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
    }
    EXPECT_EQ(allTitles(c.versionList).first(), "1.0") << "the product was chosen, not only shown";
    // A key that types no letter is not searched for: Tab moves on.
    QTest::keyClick(c.productList, Qt::Key_Tab);
    EXPECT_NE(c.window->focusWidget(), c.productList.data());
}

TEST_F(Keyboard, AboutNamesModflashQtTheToolsFoundTheLicenceAndTheAddress) {
    // The real tools answer where they are installed; dfu-util is missing here.
    for (const char* tool : {"avrdude", "openocd"})
        resources.installTool(tool, QByteArray("exec /usr/bin/") + tool + " \"$@\"", false);
    resources.remove("dfu-util");
    start();
    controls().aboutAction->trigger();
    AboutDialog* about = delegate().aboutDialog();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    // The Close button lies inside the box, under the text.
    const auto* close = about->findChild<QDialogButtonBox*>();
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->isVisible());
    EXPECT_GT(close->y(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !about->text().contains("\u2026"); }, toolTimeout));
    const QString text = about->text();
    SCOPED_TRACE(text.toStdString());
    for (const QString& pattern :
         {QRegularExpression::escape("modflash " + BuildInfo::version()),
          QRegularExpression::escape(QStringLiteral("Qt ") + qVersion()),
          QStringLiteral("avrdude [0-9]+\\.[0-9]"),
          QStringLiteral("openocd [0-9]+\\.[0-9]+\\.[0-9]"), QStringLiteral("dfu-util not found"),
          QStringLiteral("GPL-3\\.0-or-later"), QStringLiteral("href=\"https://")})
        EXPECT_TRUE(text.contains(QRegularExpression(pattern))) << pattern.toStdString();
}

} // namespace
} // namespace modflash::testing
