// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a keyboard user and a newcomer meet it: mnemonics and menus, moving through the
// lists, where focus goes after an update, and the About box.
#include "AboutDialog.h"
#include "BuildInfo.h"
#include "Translations.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

namespace modflash::testing {
namespace {

using Keyboard = WindowFixture;

// The key Alt reaches the text's control with, as Qt reads the "&"; empty for none.
QString mnemonic(const QString& text) {
    return QKeySequence::mnemonic(text).toString();
}

// Every mnemonic reachable from the window itself with Alt: buttons, labels, tabs, menus.
QMap<QString, QStringList> windowMnemonics(QWidget* window, QMenuBar* menuBar, QTabWidget* tabs) {
    QStringList texts;
    for (const auto* button : window->findChildren<QAbstractButton*>())
        texts << button->text();
    for (const auto* label : window->findChildren<QLabel*>())
        texts << label->text();
    for (int tab = 0; tab < tabs->count(); ++tab)
        texts << tabs->tabText(tab);
    for (const auto* menu : menuBar->actions())
        texts << menu->text();
    QMap<QString, QStringList> used;
    for (const QString& text : texts)
        if (const QString key = mnemonic(text); !key.isEmpty())
            used[key] << text;
    return used;
}

void expectUniqueMnemonics(const WindowControls& c) {
    const auto used = windowMnemonics(c.window, c.menuBar, c.tabView);
    for (auto it = used.begin(); it != used.end(); ++it)
        EXPECT_EQ(it.value().size(), 1) << it.value().join(" | ").toStdString();
    for (const QAction* menu : c.menuBar->actions()) {
        EXPECT_FALSE(mnemonic(menu->text()).isEmpty()) << menu->text().toStdString();
        QStringList inMenu;
        for (const QAction* item : menu->menu()->actions()) {
            if (item->isSeparator())
                continue;
            EXPECT_FALSE(inMenu.contains(mnemonic(item->text()))) << item->text().toStdString();
            inMenu << mnemonic(item->text());
        }
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

TEST_F(Keyboard, InGermanTheWindowAndItsMnemonicsAreGermanButTheLogIsNot) {
    const Translations german(QLocale(QLocale::German, QLocale::Germany));
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
    clickUpdate();
    ASSERT_TRUE(waitForFinish());
    EXPECT_TRUE(log().endsWith("BEGINNING UPDATE\nERROR DURING UPDATE\n")) << log().toStdString();
    EXPECT_TRUE(banner().startsWith("Aktualisierung fehlgeschlagen: ")) << banner().toStdString();
}

TEST_F(Keyboard, MovingThroughVersionsNeverOpensTheChooserButEnterOnOtherDoes) {
    start(true);
    const WindowControls& c = controls();
    pick(c.productList, "Wendrel");
    c.versionList->setFocus();
    const QString other = QStringLiteral("Other...");
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_End, Qt::Key_Home})
        QTest::keyClick(c.versionList, key);
    QTest::keyClicks(c.versionList, "o");
    EXPECT_EQ(c.versionList->currentText(), other);
    EXPECT_FALSE(choiceExtension) << "moving onto \"Other...\" is not choosing it";
    QTest::keyClick(c.versionList, Qt::Key_Up);
    QTest::keyClick(c.versionList, Qt::Key_Down);
    QTest::keyClick(c.versionList, Qt::Key_Return);
    EXPECT_EQ(choiceExtension, "bin");
    answerChooser(outsideFile("mine.bin"));
    EXPECT_EQ(c.versionList->currentText(), "mine");

    // The list still takes a version moved to, as the Update button shows.
    QTest::keyClick(c.versionList, Qt::Key_Home);
    EXPECT_EQ(c.versionList->currentText(), "1.4.2");
    EXPECT_TRUE(c.updateButton->isEnabled());
}

TEST_F(Keyboard, TypingFindsAProductByWhatCanBeTypedButNeverAHiddenOne) {
    resources.writeFile("firmware/uTessary_3.1.bin", ToolDirectory::validImage("x.bin"));
    start(false);
    const WindowControls& c = controls();
    c.productList->setFocus();
    QTest::keyClick(c.productList, Qt::Key_U);
    EXPECT_EQ(c.productList->currentText(), "\u00b5Tessary");
    EXPECT_TRUE(c.versionList->findText("3.1") >= 0) << "the product was chosen, not only shown";
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClick(c.productList, Qt::Key_Z); // "Zembro" is a factory product, hidden
    EXPECT_EQ(c.productList->currentText(), "\u00b5Tessary");
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(c.productList, "te");
    EXPECT_EQ(c.productList->currentText(), "Tessary 1U (rev002)");
}

TEST_F(Keyboard, AboutNamesModflashQtTheToolsFoundTheLicenceAndTheAddress) {
    // The real tools answer where they are installed; dfu-util is missing here.
    for (const char* tool : {"avrdude", "openocd"})
        resources.installTool(tool, QByteArray("exec /usr/bin/") + tool + " \"$@\"", false);
    resources.remove("dfu-util");
    start();
    controls().aboutAction->trigger();
    AboutDialog* about = delegate().aboutDialog();
    ASSERT_TRUE(about && about->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !about->text().contains("\u2026"); }, toolTimeout));
    const QString text = about->text();
    SCOPED_TRACE(text.toStdString());
    EXPECT_TRUE(text.contains("modflash " + BuildInfo::version()));
    EXPECT_TRUE(text.contains(QStringLiteral("Qt ") + qVersion()));
    EXPECT_TRUE(text.contains(QRegularExpression("avrdude [0-9]+\\.[0-9]")));
    EXPECT_TRUE(text.contains(QRegularExpression("openocd [0-9]+\\.[0-9]+\\.[0-9]")));
    EXPECT_TRUE(text.contains("dfu-util not found"));
    EXPECT_TRUE(text.contains("GPL-3.0-or-later"));
    EXPECT_TRUE(text.contains("href=\"https://"));
}

} // namespace
} // namespace modflash::testing
