// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/FeedRefresh.h"

#include "feed/FeedState.h"
#include "feed/FeedUrlRule.h"
#include "feed/MinisignSignature.h"
#include "feed/MinisignVerifier.h"

#include <QTimer>

#include <sysexits.h>

namespace modflash::feed {

QUrl FeedSettings::signatureUrl() const {
    QUrl signature = url;
    signature.setPath(url.path() + QStringLiteral(".minisig"));
    return signature;
}

int FeedRefresh::Outcome::exitStatus() const {
    switch (status) {
    case Status::Accepted:
    case Status::Unchanged:
        return EX_OK;
    case Status::Refused:
        return EX_DATAERR;
    case Status::Unreachable:
        break;
    }
    return EX_UNAVAILABLE;
}

FeedRefresh::FeedRefresh(QNetworkAccessManager& network, FeedState& state,
                         const ProductCatalogue& catalogue, FeedSettings settings, QObject* parent)
    : QObject(parent)
    , m_network(network)
    , m_state(state)
    , m_catalogue(catalogue)
    , m_settings(std::move(settings)) {}

FeedRefresh::~FeedRefresh() = default;

void FeedRefresh::start() {
    if (const QString refusal = settingsRefusal(); !refusal.isEmpty()) {
        QTimer::singleShot(0, this, [this, refusal] { end(Outcome::Status::Refused, refusal); });
        return;
    }
    BoundedFetch::Limits manifestLimits{ManifestReader::largestManifest, {}, m_settings.timing};
    BoundedFetch::Limits signatureLimits{MinisignSignature::largestFile, {}, m_settings.timing};
    m_manifestFetch = std::make_unique<BoundedFetch>(m_network, m_settings.url, manifestLimits);
    m_signatureFetch =
        std::make_unique<BoundedFetch>(m_network, m_settings.signatureUrl(), signatureLimits);
    connect(m_manifestFetch.get(), &BoundedFetch::finished, this, &FeedRefresh::onFetched);
    connect(m_signatureFetch.get(), &BoundedFetch::finished, this, &FeedRefresh::onFetched);
    m_manifestFetch->start();
    m_signatureFetch->start();
}

QString FeedRefresh::settingsRefusal() const {
    if (const QString refusal = FeedState::feedNameRefusal(m_settings.feedName); !refusal.isEmpty())
        return refusal;
    if (m_settings.keys.isEmpty())
        return tr("no key to check the feed's signature with is built in or given");
    return FeedUrlRule::refusal(m_settings.url);
}

void FeedRefresh::onFetched() {
    if (!m_manifestFetch->isFinished() || !m_signatureFetch->isFinished() || m_finished)
        return;
    if (const auto& failed = m_manifestFetch->failure()) {
        const auto status = failed->kind == FeedFailure::Kind::Refused
                                ? Outcome::Status::Refused
                                : Outcome::Status::Unreachable;
        return end(status, failed->reason);
    }
    // The manifest came, its signature did not: whatever the cause, it is unsigned.
    if (const auto& failed = m_signatureFetch->failure())
        return end(Outcome::Status::Refused,
                   tr("the manifest's signature cannot be had: %1").arg(failed->reason));
    judge(m_manifestFetch->body(), m_signatureFetch->body());
}

ManifestReader::Reading FeedRefresh::verifyAndRead(QByteArrayView manifest,
                                                   QByteArrayView signature,
                                                   const FeedSettings& settings,
                                                   const ProductCatalogue& catalogue,
                                                   bool checkTimes) {
    ManifestReader::Reading reading;
    if (manifest.size() > ManifestReader::largestManifest) {
        reading.reason =
            tr("the manifest holds more than %1 bytes").arg(ManifestReader::largestManifest);
        return reading;
    }
    const MinisignVerifier::Result verified =
        MinisignVerifier::verify(manifest, signature, settings.keys);
    if (!verified.verified) {
        reading.reason = tr("the manifest's signature is refused: %1").arg(verified.reason);
        return reading;
    }
    ManifestReader::Context context;
    context.feedName = settings.feedName;
    context.manifestUrl = settings.url;
    context.now = settings.now.value_or(QDateTime::currentDateTimeUtc());
    context.checkTimes = checkTimes;
    reading = ManifestReader::read(manifest, context, catalogue);
    if (reading.manifest)
        reading.manifest->keyId = verified.keyId;
    return reading;
}

std::optional<Manifest> FeedRefresh::lastVerified(const FeedState& state,
                                                  const FeedSettings& settings,
                                                  const ProductCatalogue& catalogue) {
    const std::optional<FeedState::Stored> stored = state.storedManifest(settings.feedName);
    if (!stored)
        return std::nullopt;
    return verifyAndRead(stored->manifest, stored->signature, settings, catalogue, false).manifest;
}

void FeedRefresh::judge(const QByteArray& manifest, const QByteArray& signature) {
    ManifestReader::Reading reading =
        verifyAndRead(manifest, signature, m_settings, m_catalogue, true);
    if (!reading.manifest)
        return end(Outcome::Status::Refused, reading.reason);
    if (const QString refusal = rollbackRefusal(*reading.manifest); !refusal.isEmpty())
        return end(Outcome::Status::Refused, refusal);
    const QString& feed = m_settings.feedName;
    const std::optional<quint64> highest = m_state.highestSerial(feed, reading.manifest->keyId);
    // An equal serial is the same manifest: the one in hand stays, unless none is kept.
    if (highest && *highest == reading.manifest->serial &&
        lastVerified(m_state, m_settings, m_catalogue))
        return end(Outcome::Status::Unchanged, {});
    QString reason;
    // The manifest before the serial: stopped in between, the next refresh finds it again.
    if (!m_state.storeManifest(feed, {manifest, signature}, &reason) ||
        !m_state.recordSerial(feed, reading.manifest->keyId, reading.manifest->serial, &reason))
        return end(Outcome::Status::Unreachable, reason);
    end(Outcome::Status::Accepted, {});
}

QString FeedRefresh::rollbackRefusal(const Manifest& manifest) const {
    if (manifest.serial < m_settings.serialFloor)
        return tr("the manifest's serial %1 is lower than %2, the lowest this modflash takes: it "
                  "is older than this modflash")
            .arg(manifest.serial)
            .arg(m_settings.serialFloor);
    const std::optional<quint64> highest =
        m_state.highestSerial(m_settings.feedName, manifest.keyId);
    if (highest && manifest.serial < *highest)
        return tr("the manifest's serial %1 is lower than %2, accepted before: the server "
                  "offers an older manifest than this computer has seen")
            .arg(manifest.serial)
            .arg(*highest);
    return {};
}

void FeedRefresh::end(Outcome::Status status, const QString& reason) {
    if (m_finished)
        return;
    m_finished = true;
    // A check that the state cannot note is checked all the same: it is asked again sooner.
    if (status == Outcome::Status::Accepted || status == Outcome::Status::Unchanged)
        m_state.recordCheck(m_settings.feedName,
                            m_settings.now.value_or(QDateTime::currentDateTimeUtc()), nullptr);
    m_outcome.status = status;
    m_outcome.reason = reason;
    m_outcome.manifest = lastVerified(m_state, m_settings, m_catalogue);
    emit finished();
}

} // namespace modflash::feed
