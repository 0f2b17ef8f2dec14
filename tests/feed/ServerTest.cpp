// SPDX-License-Identifier: GPL-3.0-or-later
// From a real server on 127.0.0.1. Downloads into the cache: a good image arrives verified under
// its hash, and every way a server can misbehave ends with the reason and nothing in the cache.
// Refreshing the feed: a signed manifest is taken and kept, and every refusal leaves the last
// verified one in hand, on disk too.
#include "FeedTestSupport.h"
#include "TestSupport.h"

#include "feed/DownloadCache.h"
#include "feed/FeedRefresh.h"
#include "feed/FeedState.h"
#include "feed/ImageDownload.h"

#include "catalogue/ProductCatalogue.h"

#include <QCryptographicHash>
#include <QDir>
#include <QNetworkAccessManager>
#include <QThread>

namespace modflash::feed {
namespace {

using namespace std::chrono_literals;
using Status = FeedRefresh::Outcome::Status;
using modflash::testing::eventually;
using testing::FeedServer;
using testing::goodManifest;
using testing::holds;
using testing::ThrowawayKey;
using testing::toBytes;

// The server with the images and manifests a test puts there, a download cache, and the state of
// a feed signed with key.
class FeedServerTest : public ::testing::Test {
protected:
    FeedServerTest() {
        QString reason;
        EXPECT_TRUE(settings.keys.addFile(key.publicKeyPath(), &reason)) << reason.toStdString();
        settings.url = server.url("stable/manifest.json");
        settings.serialFloor = 3;
        settings.timing = {500ms, 2s};
    }

    FeedRelease release(const QByteArray& bytes, const QString& path) {
        server.put(path, bytes);
        const QString sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
        return {"2.1", QDate(), QString(), server.url(path), bytes.size(), sha256, false};
    }
    std::unique_ptr<ImageDownload> download(const FeedRelease& release) {
        auto download = std::make_unique<ImageDownload>(*network, cache, release, "bin", timing);
        download->start();
        EXPECT_TRUE(eventually(
            [&] { return !download->imagePath().isEmpty() || download->failure(); }, 10000));
        return download;
    }
    QStringList cached() const {
        return QDir(cacheDirectory.path()).entryList(QDir::Files | QDir::Hidden);
    }
    // An empty file is not published: the server answers 404 for it.
    void publish(const QByteArray& manifest, const QByteArray& signature) {
        QFile::remove(server.root() + "/stable/manifest.json");
        QFile::remove(server.root() + "/stable/manifest.json.minisig");
        if (!manifest.isEmpty())
            server.put("stable/manifest.json", manifest);
        if (!signature.isEmpty())
            server.put("stable/manifest.json.minisig", signature);
    }
    FeedRefresh::Outcome refresh() {
        FeedRefresh refresh(*network, state, catalogue, settings);
        bool done = false;
        QObject::connect(&refresh, &FeedRefresh::finished, [&] { done = true; });
        refresh.start();
        EXPECT_TRUE(eventually([&] { return done; }, 10000));
        return refresh.outcome();
    }

    FeedServer server;
    std::unique_ptr<QNetworkAccessManager> network = BoundedFetch::createNetwork();
    QTemporaryDir cacheDirectory, stateDirectory;
    DownloadCache cache{cacheDirectory.path(), 3 * 4096};
    BoundedFetch::Timing timing{500ms, 1500ms};
    const QByteArray image = QByteArray(4096, '\x5a');
    ThrowawayKey key;
    FeedState state{stateDirectory.path()};
    ProductCatalogue catalogue;
    FeedSettings settings;
};
using Download = FeedServerTest;
using Refresh = FeedServerTest;

TEST_F(Download, GoodImagesAreKeptUnderTheirHashWhileUnchangedAndWithinTheLimit) {
    const FeedRelease good = release(image, "images/Wendrel.2.1.bin");
    FeedRelease moved = good;
    // A redirect on the same server is followed.
    moved.url = server.url("hostile/redirect?to=/images/Wendrel.2.1.bin");
    const auto first = download(moved);
    ASSERT_FALSE(first->failure()) << first->failure()->reason.toStdString();
    EXPECT_FALSE(first->wasCached());
    EXPECT_EQ(first->imagePath(), cache.pathFor(good.sha256, "bin"));
    EXPECT_TRUE(download(good)->wasCached());

    testing::writeFile(cacheDirectory.filePath(".partial-abc123"), "half");
    ASSERT_TRUE(cache.prepare(nullptr));
    EXPECT_EQ(cached(), QStringList{good.sha256 + ".bin"});

    testing::writeFile(cache.pathFor(good.sha256, "bin"), image.chopped(1) + "!");
    QString reason;
    EXPECT_FALSE(cache.verifiedImage(good.sha256, "bin", &reason));
    EXPECT_TRUE(holds(reason, "changed after it was downloaded"));
    EXPECT_EQ(cached(), QStringList());

    // The most recently used are kept within the limit.
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

TEST_F(Download, AMisbehavingServerLeavesNothingInTheCache) {
    using Kind = FeedFailure::Kind;
    // The server's ways under hostile/, each around an image of 4096 bytes.
    const struct {
        const char* path;
        Kind kind;
        const char* reason;
    } cases[] = {
        {"stall", Kind::Unreachable, "sent nothing for"},
        {"drip", Kind::Unreachable, "took longer than"},
        {"announce-more", Kind::Refused, "announces 4097 bytes, more than the 4096"},
        {"more-than-announced", Kind::Refused, "SHA-256"},
        {"unannounced-more", Kind::Refused, "more than the 4096 bytes"},
        {"half", Kind::Unreachable, "cannot be fetched"},
        {"html", Kind::Refused, "is not the image the feed offers"},
        {"gzip-bomb", Kind::Refused, "compressed (gzip)"},
        {"redirect?to=http://127.0.0.2:1/x.bin", Kind::Refused, "redirects to the same server"},
        {"redirect?to=file:///etc/passwd", Kind::Refused, "redirects to the same server"},
        {"status?code=404", Kind::Unreachable, "HTTP status 404"},
        {"status?code=500", Kind::Unreachable, "HTTP status 500"},
    };
    FeedRelease hostile = release(image, "unused.bin");
    for (const auto& misbehaviour : cases) {
        hostile.url = server.url(QStringLiteral("hostile/") + misbehaviour.path);
        const auto done = download(hostile);
        ASSERT_TRUE(done->failure()) << misbehaviour.path;
        EXPECT_EQ(done->failure()->kind, misbehaviour.kind) << misbehaviour.path;
        EXPECT_TRUE(holds(done->failure()->reason, misbehaviour.reason)) << misbehaviour.path;
        EXPECT_EQ(cached(), QStringList()) << misbehaviour.path;
    }
}

TEST_F(Download, ADownloadStoppedHalfwayLeavesNothing) {
    FeedRelease slow = release(image, "unused.bin");
    slow.url = server.url("hostile/drip");
    ImageDownload download(*network, cache, slow, "bin", {2s, 10s});
    download.start();
    int progress = 0;
    QObject::connect(&download, &ImageDownload::progress, [&] { ++progress; });
    ASSERT_TRUE(eventually([&] { return progress > 0; }, 5000));
    download.stop();
    ASSERT_TRUE(download.failure());
    EXPECT_TRUE(holds(download.failure()->reason, "was stopped"));
    EXPECT_EQ(cached(), QStringList());
}

TEST_F(Refresh, ASignedManifestIsKeptThroughRefusalsAndForUseOffline) {
    const auto serial = [](quint64 number) { return toBytes(goodManifest(number)); };
    publish(serial(10), key.sign(serial(10)));
    FeedRefresh::Outcome outcome = refresh();
    EXPECT_EQ(outcome.status, Status::Accepted) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.exitStatus(), 0);
    ASSERT_TRUE(outcome.manifest);
    EXPECT_EQ(outcome.manifest->products.at(0).releases.at(0).url,
              server.url("stable/images/Wendrel.2.1.bin"));

    const QByteArray good = serial(20), beta = serial(20).replace("stable", "beta");
    const QByteArray other = serial(10).replace("Wendrel.", "Nonesuch.");
    QByteArray tampered = good, comment = key.sign(good), huge = good;
    tampered.replace("2048", "2049");
    comment.replace("feed test", "feed tesT");
    huge.insert(1, "\"padding\": \"" + QByteArray(1024 * 1024, ' ') + "\", ");
    const ThrowawayKey stranger;
    const struct {
        const char* reason;
        QByteArray manifest, signature;
        quint64 serialFloor = 3;
        Status status = Status::Refused;
        int exitStatus = 65;
    } cases[] = {
        // The same serial with other content: the one in hand stays.
        {"", other, key.sign(other), 3, Status::Unchanged, 0},
        {"lower than 10, accepted before", serial(9), key.sign(serial(9))},
        {"lower than 12, the lowest", serial(11), key.sign(serial(11)), 12},
        {"changed after it was signed", tampered, key.sign(good)},
        {"trusted comment was changed", good, comment},
        {"not a trusted key", good, stranger.sign(good)},
        {"of the feed \"beta\"", beta, key.sign(beta)},
        {"more than the 1048576", huge, key.sign(huge)},
        {"signature cannot be had", good, {}},
        {"HTTP status 404", {}, key.sign(good), 3, Status::Unreachable, 69},
    };
    for (const auto& test : cases) {
        publish(test.manifest, test.signature);
        settings.serialFloor = test.serialFloor;
        outcome = refresh();
        EXPECT_EQ(outcome.status, test.status) << test.reason;
        EXPECT_EQ(outcome.exitStatus(), test.exitStatus) << test.reason;
        EXPECT_TRUE(holds(outcome.reason, test.reason));
        ASSERT_TRUE(outcome.manifest) << test.reason;
        EXPECT_EQ(outcome.manifest->serial, 10u) << test.reason;
        EXPECT_EQ(outcome.manifest->products.size(), 1u) << test.reason;
    }

    publish(serial(11), key.sign(serial(11), true));
    EXPECT_EQ(refresh().status, Status::Accepted);
    EXPECT_EQ(state.highestSerial("stable", refresh().manifest->keyId), 11u);
    // Long after it expired, from the disk alone, without the server.
    settings.now = QDateTime::currentDateTimeUtc().addYears(1);
    const auto offline =
        FeedRefresh::lastVerified(FeedState(stateDirectory.path()), settings, catalogue);
    ASSERT_TRUE(offline);
    EXPECT_EQ(offline->serial, 11u);
    // A stored manifest changed on disk is not used.
    testing::writeFile(stateDirectory.filePath("feed/stable.manifest.json"), serial(99));
    EXPECT_FALSE(FeedRefresh::lastVerified(state, settings, catalogue));
}

} // namespace
} // namespace modflash::feed

int main(int argc, char** argv) {
    // The tests' server is on this machine: no proxy of the environment may stand between.
    for (const char* name :
         {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        qunsetenv(name);
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
