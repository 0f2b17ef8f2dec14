// SPDX-License-Identifier: GPL-3.0-or-later
// Refreshing the feed from a real server on 127.0.0.1: a signed manifest is taken and kept, and
// every refusal leaves the last verified one in hand, on disk too.
#include "FeedTestSupport.h"
#include "TestSupport.h"

#include "feed/FeedRefresh.h"
#include "feed/FeedState.h"

#include "catalogue/ProductCatalogue.h"

#include <QJsonArray>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

namespace modflash::feed {
namespace {

using namespace std::chrono_literals;
using Status = FeedRefresh::Outcome::Status;
using modflash::testing::eventually;
using testing::FeedServer;
using testing::goodManifest;
using testing::ThrowawayKey;
using testing::toBytes;

class Refresh : public ::testing::Test {
protected:
    Refresh()
        : state(stateDirectory.path()) {
        QString reason;
        EXPECT_TRUE(settings.keys.addFile(key.publicKeyPath(), &reason)) << reason.toStdString();
        settings.url = server.url("stable/manifest.json");
        settings.serialFloor = 3;
        settings.timing = {500ms, 2s};
    }

    void publish(const QByteArray& manifest, const QByteArray& signature) {
        server.put("stable/manifest.json", manifest);
        server.put("stable/manifest.json.minisig", signature);
    }
    void publish(quint64 serial, bool legacy = false) {
        const QByteArray manifest = toBytes(goodManifest(serial));
        publish(manifest, key.sign(manifest, legacy));
    }
    FeedRefresh::Outcome refresh() {
        FeedRefresh refresh(*network, state, catalogue, settings);
        bool done = false;
        QObject::connect(&refresh, &FeedRefresh::finished, [&] { done = true; });
        refresh.start();
        EXPECT_TRUE(eventually([&] { return done; }, 10000));
        return refresh.outcome();
    }
    // Refused, and the manifest of this serial is still the one in hand.
    void expectRefusedKeeping(quint64 serial, const char* reason) {
        const FeedRefresh::Outcome outcome = refresh();
        EXPECT_EQ(outcome.status, Status::Refused) << reason;
        EXPECT_EQ(outcome.exitStatus(), 65);
        EXPECT_TRUE(outcome.reason.contains(reason)) << outcome.reason.toStdString();
        ASSERT_TRUE(outcome.manifest) << reason;
        EXPECT_EQ(outcome.manifest->serial, serial);
    }

    FeedServer server;
    ThrowawayKey key;
    QTemporaryDir stateDirectory;
    FeedState state;
    ProductCatalogue catalogue;
    FeedSettings settings;
    std::unique_ptr<QNetworkAccessManager> network = BoundedFetch::createNetwork();
};

TEST_F(Refresh, ASignedManifestIsTakenAndTheSameSerialChangesNothing) {
    publish(10);
    FeedRefresh::Outcome outcome = refresh();
    EXPECT_EQ(outcome.status, Status::Accepted) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.exitStatus(), 0);
    ASSERT_TRUE(outcome.manifest);
    EXPECT_EQ(outcome.manifest->products.at(0).releases.at(0).url,
              server.url("stable/images/Wendrel.2.1.bin"));
    // The same serial with other content is still the manifest in hand.
    QJsonObject other = goodManifest(10);
    other["products"] = QJsonArray();
    publish(toBytes(other), key.sign(toBytes(other)));
    outcome = refresh();
    EXPECT_EQ(outcome.status, Status::Unchanged);
    EXPECT_EQ(outcome.manifest->products.size(), 1u);
    publish(11, true);
    EXPECT_EQ(refresh().status, Status::Accepted);
    EXPECT_EQ(state.highestSerial("stable", refresh().manifest->keyId), 11u);
}

TEST_F(Refresh, ARefusedManifestKeepsTheLastVerifiedOne) {
    publish(10);
    ASSERT_EQ(refresh().status, Status::Accepted);

    publish(9);
    expectRefusedKeeping(10, "lower than 10, accepted before");
    settings.serialFloor = 12;
    publish(11);
    expectRefusedKeeping(10, "lower than 12, the lowest");
    settings.serialFloor = 3;

    QByteArray manifest = toBytes(goodManifest(20));
    const QByteArray signature = key.sign(manifest);
    manifest.replace("2048", "2049");
    publish(manifest, signature);
    expectRefusedKeeping(10, "changed after it was signed");
    QByteArray badSignature = key.sign(toBytes(goodManifest(20)));
    badSignature[badSignature.lastIndexOf("trusted comment: ") + 17] = 'F';
    publish(toBytes(goodManifest(20)), badSignature);
    expectRefusedKeeping(10, "trusted comment was changed");

    const ThrowawayKey stranger;
    publish(toBytes(goodManifest(20)), stranger.sign(toBytes(goodManifest(20))));
    expectRefusedKeeping(10, "not a trusted key");
    QJsonObject beta = goodManifest(20);
    beta["feed"] = "beta";
    publish(toBytes(beta), key.sign(toBytes(beta)));
    expectRefusedKeeping(10, "of the feed \"beta\"");

    server.put("stable/manifest.json", toBytes(goodManifest(20)));
    QFile::remove(server.root() + "/stable/manifest.json.minisig");
    expectRefusedKeeping(10, "signature cannot be had");
}

TEST_F(Refresh, AnUnreachableFeedKeepsTheManifestForUseOffline) {
    publish(10);
    ASSERT_EQ(refresh().status, Status::Accepted);
    QFile::remove(server.root() + "/stable/manifest.json");
    FeedRefresh::Outcome outcome = refresh();
    EXPECT_EQ(outcome.status, Status::Unreachable);
    EXPECT_EQ(outcome.exitStatus(), 69);
    EXPECT_TRUE(outcome.reason.contains("HTTP status 404")) << outcome.reason.toStdString();
    ASSERT_TRUE(outcome.manifest);

    // Long after it expired, from the disk alone, without the server.
    settings.now = QDateTime::currentDateTimeUtc().addYears(1);
    const auto offline =
        FeedRefresh::lastVerified(FeedState(stateDirectory.path()), settings, catalogue);
    ASSERT_TRUE(offline);
    EXPECT_EQ(offline->serial, 10u);
    // A stored manifest changed on disk is not used.
    testing::writeFile(stateDirectory.filePath("feed/stable.manifest.json"),
                       toBytes(goodManifest(99)));
    EXPECT_FALSE(FeedRefresh::lastVerified(state, settings, catalogue));
}

TEST_F(Refresh, AManifestOverTheLimitIsRefusedBeforeItIsRead) {
    QByteArray manifest = toBytes(goodManifest(10));
    manifest.insert(1, "\"padding\": \"" + QByteArray(1024 * 1024, ' ') + "\", ");
    publish(manifest, key.sign(manifest));
    const FeedRefresh::Outcome outcome = refresh();
    EXPECT_EQ(outcome.status, Status::Refused);
    EXPECT_TRUE(outcome.reason.contains("more than the 1048576")) << outcome.reason.toStdString();
    EXPECT_FALSE(outcome.manifest);
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
