// SPDX-License-Identifier: GPL-3.0-or-later
// Publishing a feed: a feed written from sample images is taken by a refresh from a real server,
// and its images download verified.
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

using testing::readFile;
using testing::ThrowawayKey;
using testing::writeFile;

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

    QTemporaryDir work;
    ThrowawayKey key;
};

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
