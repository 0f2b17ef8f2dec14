// SPDX-License-Identifier: GPL-3.0-or-later
// modflash-cli with a firmware feed on 127.0.0.1, signed with a key made for the test: the
// refresh's statuses, every source in the version list, an update that downloads first, and
// downloads that fail, are cut off or were changed afterwards, which write nothing and leave
// nothing; offline use; a proxy from the environment; and the real dfu-util writing a
// downloaded image onto the virtual bench.
#include "CliHarness.h"
#include "FeedTestSupport.h"
#include "ToolDirectory.h"
#include "flashing/LogTexts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <tuple>

namespace modflash::testing {
namespace {

using feed::testing::FeedServer;
using feed::testing::goodManifest;
using feed::testing::holds;
using feed::testing::readFile;
using feed::testing::ThrowawayKey;
using feed::testing::toBytes;

QString sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// A Wendrel image the checks accept, told apart by its last byte.
QByteArray image(char mark) {
    return ToolDirectory::validImage("x.bin").chopped(1) + mark;
}

struct Release {
    QString version;
    QByteArray bytes;
    // Where the server has it, relative to the manifest; by default images/<version>.bin.
    QString path = {};
    bool withdrawn = false;
    QString prefix = "Wendrel.";
};

class FeedCli : public CliHarness {
protected:
    FeedCli() {
        // A stand-in dfu-util keeps what it is given to write.
        tools.installTool("dfu-util", "while [ $# -gt 0 ]; do [ \"$1\" = -D ] && cp \"$2\" '" +
                                          written().toUtf8() + "'; shift; done");
        tools.writeFile("firmware/Wendrel.2.0.bin", image('b'));
    }

    void publish(const QList<Release>& releases, quint64 serial = 7) {
        QJsonObject manifest = goodManifest(serial);
        QMap<QString, QJsonArray> products; // "Wendrel." before "glimmet_"
        for (const Release& release : releases) {
            const QString path =
                release.path.isEmpty() ? "images/" + release.version + ".bin" : release.path;
            if (release.path.isEmpty())
                server.put("stable/" + path, release.bytes);
            products[release.prefix].append(QJsonObject{{"version", release.version},
                                                        {"date", "2026-11-30"},
                                                        {"notes", "Notes of " + release.version},
                                                        {"url", path},
                                                        {"size", release.bytes.size()},
                                                        {"sha256", sha256(release.bytes)},
                                                        {"withdrawn", release.withdrawn}});
        }
        QJsonArray list;
        for (const auto& [prefix, entries] : products.asKeyValueRange())
            list.append(QJsonObject{{"prefix", prefix}, {"releases", entries}});
        manifest.insert("products", list);
        server.put("stable/manifest.json", toBytes(manifest));
        server.put("stable/manifest.json.minisig", key.sign(toBytes(manifest)));
        ASSERT_EQ(cli({"feed", "refresh"}).status, 0);
    }
    // The feed's and the stand-in tools' options first: those given after them win.
    QStringList withFeed(const QStringList& arguments) const {
        return QStringList{"--feed-url",  server.url("stable/manifest.json").toString(),
                           "--feed-key",  key.publicKeyPath(),
                           "--resources", tools.path()} +
               arguments;
    }
    Run cli(const QStringList& arguments, const QStringList& environment = {}) {
        return run(withFeed(arguments), environment);
    }
    // "version source" for each entry of versions --json.
    QString sources() {
        QStringList entries;
        for (const QJsonValue& entry :
             QJsonDocument::fromJson(cli({"versions", "Wendrel", "--json"}).out).array())
            entries.append(entry["version"].toString() + ' ' + entry["source"].toString());
        return entries.join(", ");
    }
    QStringList cached() const {
        return QDir(m_home.filePath(".cache/modflash/feed")).entryList(QDir::Files | QDir::Hidden);
    }
    QString written() const { return tools.filePath("written.bin"); }
    void writeFileUnder(const QString& home, const QByteArray& bytes) const {
        feed::testing::writeFile(m_home.filePath(home), bytes);
    }

    ToolDirectory tools;
    FeedServer server;
    ThrowawayKey key;
};

TEST_F(FeedCli, RefreshSaysWhetherAVerifiedManifestIsInHand) {
    // Each run's feed URL, the environment over the harness's, and its status and words.
    const std::tuple<QString, QStringList, int, QString> cases[] = {
        {server.url("stable/manifest.json").toString(), {}, 0, "serial 7 of "},
        {"http://127.0.0.1:1/manifest.json", {}, 69, "cannot be reached"},
        {server.url("missing/manifest.json").toString(), {}, 69, "HTTP status 404"},
        // No name is looked up: the proxy of the environment gets it.
        {"https://feed.invalid/stable/manifest.json",
         {"https_proxy=" + server.url("").toString()},
         69,
         "modflash-cli: the feed at https://feed.invalid/stable/manifest.json cannot be reached"},
    };
    const Run before = cli({"feed", "list", "--json"});
    EXPECT_EQ(before.status, 0);
    EXPECT_TRUE(holds(before.err, "modflash-cli: no verified manifest of the feed \u201c"));
    EXPECT_EQ(QJsonDocument::fromJson(before.out)["serial"], QJsonValue());
    publish({{"2.1", image('1')}});
    const QJsonDocument listed = QJsonDocument::fromJson(cli({"feed", "list", "--json"}).out);
    EXPECT_EQ(listed["serial"], 7);
    EXPECT_EQ(listed["products"][0]["releases"][0]["sha256"], sha256(image('1')));
    EXPECT_EQ(listed["products"][0]["releases"][0]["downloaded"], false);
    for (const auto& [url, environment, status, said] : cases) {
        const Run refresh = cli({"feed", "refresh", "--feed-url", url}, environment);
        EXPECT_EQ(refresh.status, status) << url.toStdString();
        EXPECT_TRUE(holds(QString::fromUtf8(refresh.out + refresh.err), said));
    }
    EXPECT_TRUE(readFile(server.root() + "/proxied.log").startsWith("CONNECT feed.invalid:443\n"));

    // A signature of other bytes: refused, and the manifest verified before stays.
    server.put("stable/manifest.json.minisig", key.sign("other bytes"));
    const Run refused = cli({"feed", "refresh"});
    EXPECT_EQ(refused.status, 65);
    EXPECT_TRUE(holds(refused.err, "modflash-cli: the feed at "));
    EXPECT_TRUE(holds(refused.err, "signature"));
    EXPECT_TRUE(holds(refused.out, "(kept from an earlier check)"));
    EXPECT_EQ(sources(), "2.0 bundled, 2.1 feed");
}

TEST_F(FeedCli, VersionsOfferEverySourceAndEachImageOnce) {
    writeFileUnder(".local/share/modflash/firmware/Wendrel.3.0.bin", image('u'));
    writeFileUnder(".cache/modflash/feed/" + sha256(image('c')) + ".bin", image('c'));
    publish({{"2.0", image('b')},
             {"2.1", image('1')},
             {"2.2", image('2'), {}, true},
             {"2.3", image('c')},
             {"1.0", image('g'), {}, false, "glimmet_"}});
    EXPECT_EQ(sources(), "2.0 bundled, 3.0 user, 2.3 cache, 2.1 feed");
    EXPECT_EQ(QJsonDocument::fromJson(cli({"versions", "Wendrel", "--json"}).out).array().last(),
              (QJsonObject{{"version", "2.1"},
                           {"source", "feed"},
                           {"size", 32},
                           {"sha256", sha256(image('1'))},
                           {"date", "2026-11-30"},
                           {"notes", "Notes of 2.1"},
                           {"url", server.url("stable/images/2.1.bin").toString()}}));
    // A product whose only image is the feed's is offered.
    EXPECT_TRUE(cli({"products"}).out.contains("Glimmet (rev001)\n"));
    EXPECT_EQ(cli({"feed", "list"}).out, "Wendrel 2.0 (2026-11-30, 32 bytes)\n"
                                         "Wendrel 2.1 (2026-11-30, 32 bytes)\n"
                                         "Wendrel 2.3 (2026-11-30, 32 bytes, downloaded)\n"
                                         "Glimmet (rev001) 1.0 (2026-11-30, 32 bytes)\n");
    // Two different images of one version are never chosen between.
    writeFileUnder(".local/share/modflash/firmware/Wendrel.2.1.bin", image('x'));
    const Run ambiguous = cli({"update", "Wendrel", "2.1"});
    EXPECT_EQ(ambiguous.status, 64);
    EXPECT_TRUE(holds(ambiguous.err, "Wendrel.2.1.bin\" (user), \"" +
                                         server.url("stable/images/2.1.bin").toString() +
                                         "\" (feed)"));
    ASSERT_EQ(cli({"feed", "clear"}).status, 0);
    EXPECT_EQ(cached(), QStringList());
}

TEST_F(FeedCli, AnUpdateDownloadsFirstAndCachedImagesServeOffline) {
    publish({{"2.1", image('1')}, {"2.4", image('4')}});
    const QString url = server.url("stable/images/2.1.bin").toString();
    const Run first = cli({"update", "Wendrel", "2.1"});
    EXPECT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_TRUE(first.out.startsWith(
        "BEGINNING UPDATE\n\nDownloading firmware:\n" + url.toUtf8() +
        "\nVerified: 32 bytes, SHA-256 " + sha256(image('1')).toUtf8() + "\n\nImage checked: " +
        m_home.filePath(".cache/modflash/feed/" + sha256(image('1')) + ".bin").toUtf8() + "\n"))
        << first.out.toStdString();
    EXPECT_EQ(readFile(written()), image('1'));
    EXPECT_EQ(sources(), "2.0 bundled, 2.1 cache, 2.4 feed");

    // Offline, what is on this computer is offered and written; what is not cannot be had.
    writeFileUnder(".local/share/modflash/firmware/Wendrel.3.0.bin", image('u'));
    for (const char* version : {"2.0", "3.0", "2.1"}) {
        const Run offline = cli({"update", "Wendrel", version, "--offline"});
        EXPECT_EQ(offline.status, 0) << version << offline.err.toStdString();
        EXPECT_FALSE(offline.out.contains("Downloading")) << version;
    }
    EXPECT_EQ(readFile(written()), image('1'));
    for (const char* subcommand : {"update", "check"}) {
        const Run notHere = cli({subcommand, "Wendrel", "2.4", "--offline"});
        EXPECT_EQ(notHere.status, 69) << subcommand;
        EXPECT_TRUE(
            holds(notHere.err, "has not been downloaded yet, and the network may not be used"))
            << subcommand;
    }

    // A cached image changed afterwards is refused, removed, and offered for download again.
    QFile::remove(written());
    writeFileUnder(".cache/modflash/feed/" + sha256(image('1')) + ".bin", image('9'));
    const Run edited = cli({"update", "Wendrel", "2.1"});
    EXPECT_EQ(edited.status, 65);
    EXPECT_TRUE(holds(edited.err, "was changed after it was downloaded and verified"));
    EXPECT_TRUE(edited.out.endsWith("ERROR DURING UPDATE\n"));
    EXPECT_FALSE(QFile::exists(written()));
    EXPECT_EQ(sources(), "2.0 bundled, 3.0 user, 2.1 feed, 2.4 feed");
}

TEST_F(FeedCli, DownloadsThatFailOrAreCutOffWriteNothingAndLeaveNothing) {
    const QByteArray body(4096, 'x');
    const struct {
        const char* path;
        int status;
        const char* said;
    } cases[] = {
        {"/hostile/half", 69, "cannot be fetched"},
        {"/hostile/html", 65, "is not the image the feed offers"},
    };
    quint64 serial = 7;
    for (const auto& c : cases) {
        publish({{"2.1", image('1') + body.left(4064), c.path}}, ++serial);
        const Run update = cli({"update", "Wendrel", "2.1"});
        EXPECT_EQ(update.status, c.status) << c.path;
        EXPECT_TRUE(holds(update.err, c.said)) << c.path;
        EXPECT_TRUE(update.out.endsWith("ERROR DURING UPDATE\n")) << c.path;
        EXPECT_EQ(cached(), QStringList()) << c.path;
        EXPECT_EQ(sources(), "2.0 bundled, 2.1 feed") << c.path;
    }
    // On a terminal the progress line follows the download, each drawing wiped before the
    // next, and the image that arrives is refused all the same.
    publish({{"2.1", image('1') + body.left(4064), "/hostile/quarters"}}, ++serial);
    Terminal terminal;
    start(withFeed({"update", "Wendrel", "2.1"}), terminal.slave, terminal.slave);
    const QString shown = QString::fromUtf8(terminal.readAll());
    EXPECT_EQ(finish().status, 65);
    EXPECT_GT(shown.count("Downloading the firmware: "), 1) << shown.toStdString();
    EXPECT_EQ(shown.count(QRegularExpression("[^\r\n]Downloading the firmware")), 0)
        << shown.toStdString();
    EXPECT_FALSE(QFile::exists(written()));
    // Stopped (Ctrl+C) or killed halfway through the download: it ends as stopped, or whatever
    // it left is gone at the next start.
    publish({{"2.1", image('1') + body.left(4064), "/hostile/drip"}}, ++serial);
    for (const int signal : {SIGINT, SIGKILL}) {
        start(withFeed({"update", "Wendrel", "2.1"}));
        ASSERT_TRUE(waitForOutput("Downloading firmware:"));
        QThread::msleep(300);
        ::kill(m_pid, signal);
        const Run stopped = finish();
        if (signal == SIGINT) {
            EXPECT_EQ(stopped.status, 130);
            EXPECT_TRUE(stopped.out.endsWith(LogTexts::stoppedWhileDownloading));
        }
        EXPECT_EQ(sources(), "2.0 bundled, 2.1 feed") << signal;
        EXPECT_EQ(cached(), QStringList()) << signal;
        EXPECT_FALSE(QFile::exists(written())) << signal;
    }
}

// The real dfu-util, as RealToolsTest runs it, writes a downloaded image onto the virtual
// bench's boot loader byte for byte.
TEST_F(FeedCli, TheRealDfuUtilWritesTheDownloadedImage) {
    const QDir usb("/dev/bus/usb");
    if (usb.exists() && !usb.isEmpty())
        GTEST_SKIP() << "a USB device is visible under /dev/bus/usb; the real tools could write to "
                        "it";
    QTemporaryDir bench;
    QProcess prepare;
    prepare.start("sh", {MODFLASH_SOURCE_DIR "/scripts/virtual-bench", "--build",
                         MODFLASH_BUILD_DIR, bench.path(), "--dfu", "f4"});
    ASSERT_TRUE(prepare.waitForFinished(60000) && prepare.exitCode() == 0)
        << prepare.readAllStandardError().toStdString();
    QByteArray release = readFile(bench.filePath("firmware/Wendrel.2.0.bin"));
    release[release.size() - 1] = char(release.back() ^ 0x5a);
    publish({{"2.1", release}});
    const Run update = cli({"update", "Wendrel", "2.1", "--resources", bench.path()});
    EXPECT_EQ(update.status, 0) << update.out.toStdString() << update.err.toStdString();
    EXPECT_TRUE(update.out.contains("\nDownloading firmware:\n"));
    EXPECT_EQ(readFile(bench.filePath("virtual-bench/dfu-flash.bin")).left(release.size()),
              release);
}

} // namespace
} // namespace modflash::testing
