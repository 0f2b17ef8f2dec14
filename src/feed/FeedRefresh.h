// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/BoundedFetch.h"
#include "feed/BuiltInFeed.h"
#include "feed/FeedFailure.h"
#include "feed/Manifest.h"
#include "feed/ManifestReader.h"
#include "feed/TrustedKeys.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

class QNetworkAccessManager;

namespace modflash {
class ProductCatalogue;
}

namespace modflash::feed {

class FeedState;

// Which feed to read and what to trust.
struct FeedSettings {
    QUrl url;
    QString feedName = QStringLiteral("stable");
    TrustedKeys keys = TrustedKeys::builtIn();
    quint64 serialFloor = BuiltInFeed::serialFloor();
    BoundedFetch::Timing timing;
    // The time manifests are judged at; the clock's when not set.
    std::optional<QDateTime> now;

    QUrl signatureUrl() const;
};

// Fetches the feed's manifest and its signature, verifies and reads it, and keeps it when it
// is newer than any accepted before for the feed and its key. A manifest that is refused
// changes nothing: the last verified one stays in hand.
class FeedRefresh : public QObject {
    Q_OBJECT

public:
    struct Outcome {
        enum class Status {
            Accepted,  // a newer manifest, now kept
            Unchanged, // the same serial as the one in hand
            Refused,   // the server's manifest is not taken
            Unreachable
        };
        Status status = Status::Unreachable;
        QString reason;
        // The verified manifest in hand afterwards, new or kept from before.
        std::optional<Manifest> manifest;

        // The command line's status: 0 with a verified manifest in hand from the server, 65
        // when refused, 69 when unreachable.
        int exitStatus() const;
    };

    FeedRefresh(QNetworkAccessManager& network, FeedState& state, const ProductCatalogue& catalogue,
                FeedSettings settings, QObject* parent = nullptr);
    ~FeedRefresh() override;

    void start();
    const Outcome& outcome() const { return m_outcome; }

    // Verifies the signature, then reads the manifest: what the refresh does with what it
    // fetched, before the rollback check; also for a maker checking a feed before publishing.
    static ManifestReader::Reading verifyAndRead(QByteArrayView manifest, QByteArrayView signature,
                                                 const FeedSettings& settings,
                                                 const ProductCatalogue& catalogue,
                                                 bool checkTimes);
    // The manifest kept from the last refresh that accepted one, verified again; for use
    // offline. Its times are not checked: its cached images stay usable after it expires.
    static std::optional<Manifest> lastVerified(const FeedState& state,
                                                const FeedSettings& settings,
                                                const ProductCatalogue& catalogue);

signals:
    void finished();

private:
    QString settingsRefusal() const;
    void onFetched();
    void judge(const QByteArray& manifest, const QByteArray& signature);
    QString rollbackRefusal(const Manifest& manifest) const;
    void end(Outcome::Status status, const QString& reason);

    QNetworkAccessManager& m_network;
    FeedState& m_state;
    const ProductCatalogue& m_catalogue;
    FeedSettings m_settings;
    std::unique_ptr<BoundedFetch> m_manifestFetch;
    std::unique_ptr<BoundedFetch> m_signatureFetch;
    Outcome m_outcome;
    bool m_finished = false;
};

} // namespace modflash::feed
