// SPDX-License-Identifier: GPL-3.0-or-later
// Publishing a feed: modflash-feed builds one from sample images, the minisign command it prints
// signs it, and verify takes it and refuses every change made after the signing; names, images
// and notes modflash would refuse stop the build with the reason. A feed written this way is
// taken by a refresh from a real server, and its images download verified.
#include "FeedTestSupport.h"
#include "TestSupport.h"

#include "feed/FeedRefresh.h"
#include "feed/FeedState.h"
#include "feed/ImageDownload.h"
#include "feed/ManifestWriter.h"

#include "catalogue/ProductCatalogue.h"

#include <QDir>
#include <QNetworkAccessManager>

namespace modflash::feed {
namespace {

using testing::holds;
using testing::readFile;
using testing::ThrowawayKey;
using testing::writeFile;

struct Ran {
    int status = -1;
    QString out, err;
};

Ran run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Three sample images of the three families, and notes for one of them.
class Publish : public ::testing::Test {
protected:
    Publish() {
        QDir().mkpath(path("images"));
        for (const QString name : {"Wendrel.2.0.bin", "drovel_1.1.hex", "zembro_1.1.bin"})
            QFile::copy(sample(name), path("images/" + name));
        writeFile(path("notes/Wendrel.2.0.bin.txt"), "Faster start.\r\n");
    }
    static QString sample(const QString& name) { return MODFLASH_SAMPLE_IMAGES "/" + name; }
    QString path(const QString& name) const { return work.filePath(name); }
    Ran build(const QStringList& more = {}) const {
        return run(MODFLASH_FEED_PROGRAM,
                   QStringList{"build", "--serial", "7", "--expires", "30", "--notes-dir",
                               path("notes"), "--secret-key", key.secretKeyPath()} +
                       more + QStringList{path("images"), path("out")});
    }

    QTemporaryDir work;
    ThrowawayKey key;
};

TEST_F(Publish, ABuiltFeedIsSignedAsPrintedAndVerifiedUntilChanged) {
    const Ran built = build({"--withdraw", "zembro_1.1.bin"});
    ASSERT_EQ(built.status, 0) << built.err.toStdString();
    const QString signing =
        built.out.split('\n').filter(QRegularExpression("^minisign -S ")).value(0);
    EXPECT_EQ(run("sh", {"-c", signing}).status, 0) << signing.toStdString();
    const QString manifestPath = path("out/manifest.json");
    const Ran verified =
        run(MODFLASH_FEED_PROGRAM, {"verify", "--key", key.publicKeyPath(), manifestPath});
    EXPECT_EQ(verified.status, 0) << verified.err.toStdString();
    for (const char* line : {"Drovel: 1.1 (", "Wendrel: 2.0 (", "bytes, withdrawn)\n", "2 match"})
        EXPECT_TRUE(holds(verified.out, line));
    EXPECT_FALSE(QFile::exists(path("out/images/zembro_1.1.bin")));

    const QByteArray manifest = readFile(manifestPath);
    const QByteArray image = readFile(path("out/images/Wendrel.2.0.bin"));
    const ThrowawayKey stranger;
    const struct {
        const char* file;
        QByteArray bytes;
        QString key;
        int status;
        const char* reason;
    } cases[] = {
        {"manifest.json", QByteArray(manifest).replace("\"size\": 2048", "\"size\": 2049"),
         key.publicKeyPath(), 65, "changed after it was signed"},
        {"manifest.json", manifest, stranger.publicKeyPath(), 65, "not a trusted key"},
        {"images/Wendrel.2.0.bin", QByteArray(image).replace(0, 1, "\x01"), key.publicKeyPath(), 65,
         "Wendrel 2.0: images/Wendrel.2.0.bin has another SHA-256"},
        {"manifest.json.minisig", {}, key.publicKeyPath(), 66, "its signature"},
    };
    for (const auto& change : cases) {
        const QString changed = path("out/" + QString(change.file));
        const QByteArray original = readFile(changed);
        if (change.bytes.isEmpty())
            QFile::remove(changed);
        else
            writeFile(changed, change.bytes);
        const Ran refused =
            run(MODFLASH_FEED_PROGRAM, {"verify", "--key", change.key, manifestPath});
        EXPECT_EQ(refused.status, change.status) << change.reason;
        EXPECT_TRUE(holds(refused.err, change.reason));
        writeFile(changed, original);
    }
}

TEST_F(Publish, WhatModflashWouldRefuseStopsTheBuildWithTheReason) {
    const QByteArray image = readFile(sample("Wendrel.2.0.bin"));
    const struct {
        const char* file;
        QByteArray bytes;
        QStringList arguments;
        int status;
        const char* reason;
    } cases[] = {
        {"images/Nonesuch.1.0.bin", image, {}, 65, "“Nonesuch.1.0.bin” does not begin with"},
        {"images/Wendrel.2.1.hex", image, {}, 65, "Wendrel, whose images end in “.bin”"},
        {"images/Wendrel.bin", image, {}, 65, "“Wendrel.bin”: the version text is empty"},
        {"images/Wendrel.3.0.bin",
         "<!DOCTYPE html><html><body>Not found</body></html>\n",
         {},
         65,
         "“Wendrel.3.0.bin” is an HTML page"},
        {"notes/Wendrel.9.bin.txt", "Typo.", {}, 65, "“Wendrel.9.bin.txt” of the notes belongs"},
        {"notes/drovel_1.1.hex.txt", QByteArray(8193, 'a'), {}, 65, "longer than 8192 bytes"},
        {"notes/drovel_1.1.hex.txt", "\xff\xfe", {}, 65, "“drovel_1.1.hex.txt”: not UTF-8"},
        {nullptr, {}, {"--withdraw", "Wendrel.7.bin"}, 65, "no image of that name"},
        {nullptr, {}, {"--feed", "../stable"}, 65, "is not a feed name"},
        {nullptr, {}, {"--serial", "7x"}, 64, "--serial takes a whole number"},
    };
    for (const auto& test : cases) {
        if (test.file)
            writeFile(path(test.file), test.bytes);
        const Ran refused = build(test.arguments);
        EXPECT_EQ(refused.status, test.status) << test.reason;
        EXPECT_TRUE(holds(refused.err, test.reason));
        EXPECT_FALSE(QFile::exists(path("out/manifest.json"))) << test.reason;
        if (test.file)
            QFile::remove(path(test.file));
    }
}

TEST_F(Publish, AWrittenFeedIsTakenByARefreshAndItsImagesDownloadVerified) {
    // A release's date is its file's, in UTC.
    QFile dated(path("images/Wendrel.2.0.bin"));
    ASSERT_TRUE(dated.open(QIODevice::ReadWrite));
    ASSERT_TRUE(dated.setFileTime(QDateTime(QDate(2026, 3, 4), QTime(23, 30), Qt::UTC),
                                  QFileDevice::FileModificationTime));
    const ProductCatalogue catalogue;
    ManifestWriter writer(catalogue,
                          {"stable", 7, QDateTime::currentDateTimeUtc(), 30, path("notes"), {}});
    ASSERT_TRUE(writer.collect(path("images"))) << writer.refusals().join('\n').toStdString();
    const testing::FeedServer server;
    ASSERT_TRUE(writer.write(server.root() + "/stable", nullptr));
    server.put("stable/manifest.json.minisig", key.sign(writer.manifest()));

    FeedSettings settings;
    ASSERT_TRUE(settings.keys.addFile(key.publicKeyPath(), nullptr));
    settings.url = server.url("stable/manifest.json");
    const QTemporaryDir stateDirectory, cacheDirectory;
    FeedState state(stateDirectory.path());
    const auto network = BoundedFetch::createNetwork();
    FeedRefresh refresh(*network, state, catalogue, settings);
    bool refreshed = false;
    QObject::connect(&refresh, &FeedRefresh::finished, [&] { refreshed = true; });
    refresh.start();
    ASSERT_TRUE(modflash::testing::eventually([&] { return refreshed; }, 10000));
    ASSERT_EQ(refresh.outcome().status, FeedRefresh::Outcome::Status::Accepted)
        << refresh.outcome().reason.toStdString();
    const Manifest& manifest = *refresh.outcome().manifest;
    EXPECT_EQ(manifest.products.size(), 3u);
    EXPECT_EQ(manifest.leftOut, QStringList());
    ASSERT_TRUE(manifest.product("Wendrel."));
    const FeedRelease release = manifest.product("Wendrel.")->releases.at(0);
    EXPECT_EQ(release.version, "2.0");
    EXPECT_EQ(release.date, QDate(2026, 3, 4));
    EXPECT_EQ(release.notes, "Faster start.");

    DownloadCache cache(cacheDirectory.path(), 1 << 20);
    ImageDownload download(*network, cache, release, "bin");
    download.start();
    ASSERT_TRUE(modflash::testing::eventually(
        [&] { return !download.imagePath().isEmpty() || download.failure(); }, 10000));
    EXPECT_EQ(readFile(download.imagePath()), readFile(sample("Wendrel.2.0.bin")));
}

} // namespace
} // namespace modflash::feed
