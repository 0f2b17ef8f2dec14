// SPDX-License-Identifier: GPL-3.0-or-later
// Downloads into the cache from a real server on 127.0.0.1: a good image arrives verified under
// its hash, and every way a server can misbehave ends with the reason and nothing in the cache.
#include "FeedTestSupport.h"
#include "TestSupport.h"

#include "feed/DownloadCache.h"
#include "feed/ImageDownload.h"

#include <QCryptographicHash>
#include <QDir>
#include <QNetworkAccessManager>
#include <QThread>

#include <gtest/gtest.h>

namespace modflash::feed {
namespace {

using namespace std::chrono_literals;
using modflash::testing::eventually;
using testing::FeedServer;

class Download : public ::testing::Test {
protected:
    Download()
        : cache(cacheDirectory.path(), 3 * 4096) {}

    FeedRelease release(const QByteArray& bytes, const QString& path) {
        server.put(path, bytes);
        FeedRelease release;
        release.version = "2.1";
        release.url = server.url(path);
        release.size = bytes.size();
        release.sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
        return release;
    }
    std::unique_ptr<ImageDownload> download(const FeedRelease& release) {
        auto download = std::make_unique<ImageDownload>(*network, cache, release, "bin", timing);
        download->start();
        EXPECT_TRUE(eventually([&] { return finished(*download); }, 10000));
        return download;
    }
    static bool finished(ImageDownload& download) {
        return !download.imagePath().isEmpty() || download.failure();
    }
    QStringList cached() const {
        return QDir(cacheDirectory.path()).entryList(QDir::Files | QDir::Hidden);
    }

    FeedServer server;
    QTemporaryDir cacheDirectory;
    DownloadCache cache;
    std::unique_ptr<QNetworkAccessManager> network = BoundedFetch::createNetwork();
    BoundedFetch::Timing timing{500ms, 1500ms};
    const QByteArray image = QByteArray(4096, '\x5a');
};

TEST_F(Download, AGoodImageIsKeptUnderItsHashAndTakenFromTheCacheNextTime) {
    const FeedRelease good = release(image, "images/Wendrel.2.1.bin");
    const auto first = download(good);
    ASSERT_FALSE(first->failure()) << first->failure()->reason.toStdString();
    EXPECT_EQ(first->imagePath(), cache.pathFor(good.sha256, "bin"));
    EXPECT_EQ(cached(), QStringList{good.sha256 + ".bin"});
    EXPECT_FALSE(first->wasCached());
    EXPECT_TRUE(download(good)->wasCached());
}

TEST_F(Download, ARedirectOnTheSameServerIsFollowed) {
    FeedRelease moved = release(image, "images/Wendrel.2.1.bin");
    moved.url = server.url("hostile/redirect?to=/images/Wendrel.2.1.bin");
    const auto done = download(moved);
    EXPECT_FALSE(done->failure()) << done->failure()->reason.toStdString();
}

struct Misbehaviour {
    const char* path;
    FeedFailure::Kind kind;
    const char* reason;
};

TEST_F(Download, AMisbehavingServerLeavesNothingInTheCache) {
    using Kind = FeedFailure::Kind;
    const std::vector<Misbehaviour> cases{
        {"hostile/stall?size=4096", Kind::Unreachable, "sent nothing for"},
        {"hostile/drip?size=4096", Kind::Unreachable, "took longer than"},
        {"hostile/announce-more?size=4096", Kind::Refused,
         "announces 4097 bytes, more than the 4096"},
        {"hostile/more-than-announced?size=4096", Kind::Refused, "SHA-256"},
        {"hostile/unannounced-more?size=4096", Kind::Refused, "more than the 4096 bytes"},
        {"hostile/half?size=4096", Kind::Unreachable, "cannot be fetched"},
        {"hostile/html?size=4096", Kind::Refused, "is not the image the feed offers"},
        {"hostile/gzip-bomb", Kind::Refused, "compressed (gzip)"},
        {"hostile/redirect?to=http://127.0.0.2:1/x.bin", Kind::Refused,
         "only redirects to the same server"},
        {"hostile/redirect?to=file:///etc/passwd", Kind::Refused,
         "only redirects to the same server"},
        {"hostile/status?code=404", Kind::Unreachable, "HTTP status 404"},
        {"hostile/status?code=500", Kind::Unreachable, "HTTP status 500"},
    };
    FeedRelease hostile = release(image, "unused.bin");
    for (const Misbehaviour& misbehaviour : cases) {
        hostile.url = server.url(misbehaviour.path);
        const auto done = download(hostile);
        ASSERT_TRUE(done->failure()) << misbehaviour.path;
        EXPECT_EQ(done->failure()->kind, misbehaviour.kind) << misbehaviour.path;
        EXPECT_TRUE(done->failure()->reason.contains(misbehaviour.reason))
            << misbehaviour.path << ": " << done->failure()->reason.toStdString();
        EXPECT_TRUE(done->imagePath().isEmpty());
        EXPECT_EQ(cached(), QStringList()) << misbehaviour.path;
    }
}

TEST_F(Download, ADownloadStoppedHalfwayLeavesNothing) {
    FeedRelease slow = release(image, "unused.bin");
    slow.url = server.url("hostile/drip?size=4096");
    ImageDownload download(*network, cache, slow, "bin", {2s, 10s});
    download.start();
    int progress = 0;
    QObject::connect(&download, &ImageDownload::progress, [&] { ++progress; });
    ASSERT_TRUE(eventually([&] { return progress > 0; }, 5000));
    download.stop();
    ASSERT_TRUE(download.failure());
    EXPECT_TRUE(download.failure()->reason.contains("was stopped"));
    EXPECT_EQ(cached(), QStringList());
}

TEST_F(Download, LeftoversGoAtStartAndAnEditedImageIsNotOffered) {
    const FeedRelease good = release(image, "images/Wendrel.2.1.bin");
    ASSERT_FALSE(download(good)->failure());
    testing::writeFile(cacheDirectory.filePath(".partial-abc123"), "half");
    ASSERT_TRUE(cache.prepare(nullptr));
    EXPECT_EQ(cached(), QStringList{good.sha256 + ".bin"});

    testing::writeFile(cache.pathFor(good.sha256, "bin"), image.chopped(1) + "!");
    QString reason;
    EXPECT_FALSE(cache.verifiedImage(good.sha256, "bin", &reason));
    EXPECT_TRUE(reason.contains("changed after it was downloaded")) << reason.toStdString();
    EXPECT_EQ(cached(), QStringList());
    // Downloaded afresh, not taken from the cache.
    EXPECT_FALSE(download(good)->wasCached());
}

TEST_F(Download, TheCacheKeepsTheMostRecentlyUsedWithinItsLimit) {
    std::vector<FeedRelease> releases;
    for (char fill : {'a', 'b', 'c', 'd'}) {
        releases.push_back(release(QByteArray(4096, fill), QStringLiteral("%1.bin").arg(fill)));
        ASSERT_FALSE(download(releases.back())->failure());
        // Modification times tell the order of use.
        QThread::msleep(20);
    }
    EXPECT_EQ(cache.totalSize(), 3 * 4096);
    EXPECT_FALSE(cache.verifiedImage(releases[0].sha256, "bin"));
    EXPECT_TRUE(cache.verifiedImage(releases[3].sha256, "bin"));
    ASSERT_TRUE(cache.clear(nullptr));
    EXPECT_EQ(cached(), QStringList());
}

} // namespace
} // namespace modflash::feed
