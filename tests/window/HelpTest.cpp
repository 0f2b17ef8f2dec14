// SPDX-License-Identifier: GPL-3.0-or-later
// Help as a newcomer looks for it: the user guide that comes with the program, in the window's
// language, and the online help when no web browser can be opened.
#include "WindowFixture.h"
#include "update/UserLanguage.h"
#include "window/UserGuide.h"

#include <QAction>
#include <QMessageBox>

namespace modflash::testing {
namespace {

using Help = WindowFixture;

TEST_F(Help, F1OpensTheGuideInTheWindowsLanguageAndItsLinksStayInsideTheViewer) {
    struct Case {
        std::optional<QLocale> language;
        QString folder;
        QString title;
        QString usbHeading;
    };
    for (const Case& language :
         {Case{std::nullopt, "en", "modflash User Guide", "USB access on Linux"},
          Case{QLocale(QLocale::German, QLocale::Germany), "de", "modflash-Benutzerhandbuch",
               "USB-Zugriff unter Linux"}}) {
        SCOPED_TRACE(language.folder.toStdString());
        std::optional<UserLanguage> translation;
        if (language.language)
            translation.emplace(*language.language);
        start();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        QTest::keyClick(&window(), Qt::Key_F1);
        UserGuide* guide = delegate().userGuide();
        ASSERT_TRUE(guide && guide->isVisible());
        EXPECT_EQ(guide->windowTitle(), language.title);
        const QString pages = "qrc:/guide/" + language.folder + '/';
        EXPECT_EQ(guide->source().toString(), pages + "index.html");
        // By keyboard alone, the page having it at once: the second link of the contents, and back.
        auto* page = guide->findChild<QTextBrowser*>();
        ASSERT_TRUE(QTest::qWaitFor([&] { return page->hasFocus(); }));
        QTest::keyClick(page, Qt::Key_Tab);
        QTest::keyClick(page, Qt::Key_Tab);
        QTest::keyClick(page, Qt::Key_Return);
        EXPECT_EQ(guide->source().toString(), pages + "usb-access.html");
        EXPECT_TRUE(page->toPlainText().contains(language.usbHeading + "\n"));
        EXPECT_TRUE(page->toPlainText().contains("udevadm control --reload-rules"));
        QTest::keyClick(page, Qt::Key_Left, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return guide->source() == QUrl(pages + "index.html"); }))
            << guide->source().toString().toStdString();
        EXPECT_TRUE(openedUrls.isEmpty()) << "no browser needed";
        quit();
    }
}

TEST_F(Help, WithoutAWebBrowserTheWindowGivesTheAddressToCopy) {
    // No browser to be found: none on the (empty) path, and BROWSER names none either.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "");
    qputenv("BROWSER", "false");
    desktopBrowser = true;
    start();
    QTest::mouseClick(controls().helpButton, Qt::LeftButton);
    qputenv("PATH", path);
    qunsetenv("BROWSER");
    auto* notice = window().findChild<QMessageBox*>();
    ASSERT_TRUE(notice && notice->isVisible()) << "nothing said";
    EXPECT_TRUE(notice->text().contains("\n" + BuildInfo::helpUrl().toString() + "\n"))
        << notice->text().toStdString();
    EXPECT_TRUE(notice->textInteractionFlags().testFlags(Qt::TextSelectableByMouse |
                                                         Qt::TextSelectableByKeyboard));
}

} // namespace
} // namespace modflash::testing
