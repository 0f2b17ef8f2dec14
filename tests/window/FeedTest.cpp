// SPDX-License-Identifier: GPL-3.0-or-later
// The window with a firmware feed on 127.0.0.1, signed with a key made for the test: every
// source in the version list with what the feed says of a release, checks at start and on F5
// and how a failed one is told, updates that download first or are stopped or fail while
// downloading, and the download cache emptied from the menu.
#include "FeedTestSupport.h"
#include "WindowFixture.h"

#include <QAction>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QPlainTextEdit>
#include <QToolButton>

namespace modflash::testing {
namespace {

using feed::testing::FeedServer;
using feed::testing::goodManifest;
using feed::testing::readFile;
using feed::testing::ThrowawayKey;
using feed::testing::toBytes;
using feed::testing::writeFile;

const QString parvonne = QStringLiteral("Parvonne (rev009 or Higher)");

QString sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// A Wendrel image the checks accept, told apart by its last byte.
QByteArray image(char mark) {
    return ToolDirectory::validImage("x.bin").chopped(1) + mark;
}

QJsonObject release(const QString& version, const QByteArray& bytes,
                    const QString& notes = "Faster start.") {
    return {{"version", version},   {"date", "2026-11-30"},
            {"notes", notes},       {"url", "images/" + version + ".bin"},
            {"size", bytes.size()}, {"sha256", sha256(bytes)}};
}

class FeedWindow : public WindowFixture {
protected:
    FeedWindow() {
        feedKeys << key.publicKeyPath();
        QSettings(preferencesFile(), QSettings::IniFormat)
            .setValue("feed-url", server.url("manifest.json").toString());
    }

    void publish(const QJsonArray& releases, quint64 serial = 7) {
        QJsonObject manifest = goodManifest(serial);
        manifest["products"] =
            QJsonArray{QJsonObject{{"prefix", "Wendrel."}, {"releases", releases}}};
        server.put("manifest.json", toBytes(manifest));
        server.put("manifest.json.minisig", key.sign(toBytes(manifest)));
    }
    bool waitForCheck() {
        return QTest::qWaitFor([&] { return !delegate().feed().isChecking(); }, toolTimeout);
    }
    QString userFolder() const { return home.filePath("XDG_DATA_HOME/modflash/firmware"); }
    QString cache() const { return home.filePath("XDG_CACHE_HOME/modflash/feed"); }
    QString written() const { return home.filePath("written.bin"); }

    FeedServer server;
    ThrowawayKey key;
};

TEST_F(FeedWindow, OffersEverySourceInOrderWithWhatTheFeedSaysOfEachRelease) {
    writeFile(userFolder() + "/Wendrel.2.0.bin", image('u'));
    writeFile(userFolder() + "/drovel_1.2.hex", ToolDirectory::validImage("x.hex"));
    const QByteArray cached = image('c');
    writeFile(cache() + "/" + sha256(cached) + ".bin", cached);
    const QString notes = "Faster start.\nThe <b>MIDI</b> clock follows again.";
    // The bundled 1.4.2 again is that image, not a second entry.
    publish({release("1.4.2", readFile(resources.filePath("firmware/Wendrel.1.4.2.bin"))),
             release("2.1", image('1'), notes), release("2.2", cached, "")});
    start(true);
    ASSERT_TRUE(waitForCheck());
    const WindowControls& c = controls();
    EXPECT_TRUE(offeredTitles(c.productList).contains("Drovel")) << "from the user's folder alone";
    pick(c.productList, "Wendrel");
    EXPECT_EQ(allTitles(c.versionList),
              (QStringList{"1.4.2", "2.0 (installed)", "2.0 (your folder)", "2.2",
                           "2.1 (32 bytes to download)", "Other...", "Select a version"}));
    pick(c.versionList, "2.1 (32 bytes to download)");
    EXPECT_EQ(c.releaseLine->text(),
              "Released 2026-11-30 \u00b7 32 bytes to download\nFaster start.");
    EXPECT_TRUE(c.imageLine->isHidden()) << "nothing to check before the download";
    EXPECT_TRUE(c.updateButton->isEnabled());
    EXPECT_TRUE(c.releaseNotes->isHidden());
    c.releaseNotesButton->click();
    EXPECT_EQ(c.releaseNotes->toPlainText(), notes);
    EXPECT_FALSE(c.releaseNotes->isHidden());
    pick(c.versionList, "2.2");
    EXPECT_EQ(c.releaseLine->text(), "Released 2026-11-30");
    EXPECT_TRUE(c.releaseNotesButton->isHidden() && c.releaseNotes->isHidden());
    EXPECT_FALSE(c.imageLine->isHidden());
    EXPECT_TRUE(c.feedLine->text().startsWith("Firmware feed last checked: "));
    // The file chooser starts in the user's folder, now that there is one.
    pick(c.versionList, "Other...");
    EXPECT_EQ(choiceDirectory, userFolder());
}

TEST_F(FeedWindow, F5ChecksAgainAndAFailedCheckSaysWhyBesideTheInstructions) {
    publish({release("2.1", image('1'))}, 7);
    start();
    EXPECT_EQ(controls().feedLine->text(), "Checking for new firmware\u2026");
    ASSERT_TRUE(waitForCheck());
    const WindowControls& c = controls();
    choose(parvonne, "2.0");
    publish({release("2.1", image('1')), release("2.2", image('2'))}, 8);
    c.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(c.window));
    QTest::keyClick(c.window, Qt::Key_F5);
    EXPECT_FALSE(c.checkFeedAction->isEnabled()) << "while the check runs";
    ASSERT_TRUE(waitForCheck());
    EXPECT_EQ(c.versionList->currentText(), "2.0") << "a new offer keeps the choice";
    const std::vector<std::pair<std::function<void()>, QString>> failures{
        {[&] { publish({release("2.1", image('1'))}, 6); },
         "The firmware feed is refused: the manifest's serial 6 is lower than 8, accepted "
         "before"},
        {[&] { QFile::remove(server.root() + "/manifest.json"); },
         "The firmware feed cannot be reached: "}};
    for (const auto& [fail, line] : failures) {
        fail();
        c.checkFeedAction->trigger();
        ASSERT_TRUE(waitForCheck());
        EXPECT_TRUE(c.feedLine->text().startsWith(line)) << c.feedLine->text().toStdString();
        EXPECT_TRUE(c.feedLine->text().contains(". Last checked: "));
        EXPECT_EQ(c.tabView->currentIndex(), 0);
        EXPECT_TRUE(c.instructionsView->toPlainText().contains("Parvonne steps"));
        // The manifest verified last stays on offer.
        pick(c.productList, "Wendrel");
        EXPECT_TRUE(allTitles(c.versionList).contains("2.2 (32 bytes to download)"));
        choose(parvonne, "2.0");
    }
    // A check that ends while an update runs offers what it found once the update is done.
    installTools(gate());
    choose("Wendrel", "2.0");
    clickUpdate();
    publish({release("2.1", image('1')), release("2.3", image('3'))}, 9);
    c.checkFeedAction->trigger();
    ASSERT_TRUE(waitForCheck());
    openGate();
    ASSERT_TRUE(waitForFinish());
    EXPECT_TRUE(allTitles(c.versionList).contains("2.3 (32 bytes to download)"));
    quit();
    start();
    EXPECT_FALSE(delegate().feed().isChecking()) << "checked less than a day ago";
}

TEST_F(FeedWindow, UpdateDownloadsTheReleaseFirstAndTheMenuEmptiesTheCache) {
    const QByteArray bytes = image('1');
    publish({release("2.1", bytes)});
    server.put("images/2.1.bin", bytes);
    installTools(gate() + "while [ $# -gt 0 ]; do [ \"$1\" = -D ] && cp \"$2\" '" +
                 written().toUtf8() + "'; shift; done");
    start();
    ASSERT_TRUE(waitForCheck());
    const WindowControls& c = controls();
    QStringList bar;
    QObject::connect(&delegate().session(), &UpdateSession::progressChanged,
                     [&] { bar << c.progressBar->text(); });
    choose("Wendrel", "2.1 (32 bytes to download)");
    clickUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log().contains("Updating Wendrel"); }, toolTimeout));
    EXPECT_FALSE(c.clearCacheAction->isEnabled()) << "while an update runs";
    EXPECT_EQ(c.progressBar->format(), "Starting") << "the tool has named no phase yet";
    openGate();
    ASSERT_TRUE(waitForFinish());
    EXPECT_EQ(readFile(written()), bytes);
    EXPECT_TRUE(log().contains("BEGINNING UPDATE\n\nDownloading firmware:\n" +
                               server.url("images/2.1.bin").toString()));
    EXPECT_FALSE(bar.filter("Downloading").isEmpty()) << bar.join(", ").toStdString();
    EXPECT_EQ(c.versionList->currentText(), "2.1") << "now from the cache";

    c.clearCacheAction->trigger();
    EXPECT_EQ(questions, QStringList{"Empty the Download Cache?"});
    answerConfirmation(true);
    EXPECT_TRUE(QDir(cache()).isEmpty());
    EXPECT_EQ(c.versionList->currentText(), "2.1 (32 bytes to download)");
    EXPECT_EQ(banner(), "The download cache is empty.");
}

TEST_F(FeedWindow, ADownloadStoppedOrFailedWritesNothingAndLeavesNothing) {
    QJsonObject stalled = release("2.1", QByteArray(4096, 'x'));
    stalled["url"] = server.url("hostile/stall").toString();
    publish({stalled, release("2.2", image('2'))}); // 2.2 is not on the server
    installTools("touch '" + written().toUtf8() + "'");
    start();
    ASSERT_TRUE(waitForCheck());
    const WindowControls& c = controls();
    for (const auto& [version, verdict] :
         {std::pair{"2.1 (4.0 KiB to download)",
                    "Update stopped while the firmware was being downloaded: nothing was written"},
          {"2.2 (32 bytes to download)", "Update failed: "}}) {
        choose("Wendrel", version);
        clickUpdate();
        if (QString(version).startsWith("2.1")) {
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return c.progressBar->text().startsWith("Downloading"); }, toolTimeout));
            QTest::mouseClick(c.stopButton, Qt::LeftButton);
        }
        ASSERT_TRUE(waitForFinish());
        EXPECT_TRUE(banner().startsWith(verdict)) << banner().toStdString();
    }
    EXPECT_TRUE(log().endsWith("ERROR DURING UPDATE\n"));
    EXPECT_FALSE(QFile::exists(written()));
    EXPECT_TRUE(QDir(cache()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

} // namespace
} // namespace modflash::testing
