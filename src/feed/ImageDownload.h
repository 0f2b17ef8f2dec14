// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/BoundedFetch.h"
#include "feed/DownloadCache.h"
#include "feed/FeedFailure.h"
#include "feed/FeedRelease.h"

#include <QCryptographicHash>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QNetworkAccessManager;
class QTemporaryFile;

namespace modflash::feed {

// Brings a feed release into the download cache: a cached copy whose bytes still match is
// taken as it is; otherwise the image is downloaded into a temporary file beside the cache's
// images, checked for its exact size and SHA-256, flushed to disk and only then given its
// name. However it ends, nothing partial or unverified is left under an image's name. A cached
// copy that was changed after it was verified is removed and refused, not quietly fetched
// again: something on this computer writes where it should not, and the person should know.
class ImageDownload : public QObject {
    Q_OBJECT

public:
    ImageDownload(QNetworkAccessManager& network, DownloadCache& cache, FeedRelease release,
                  QString extension, BoundedFetch::Timing timing = {}, QObject* parent = nullptr);
    ~ImageDownload() override;

    // Without the network only a cached copy can be had.
    void setNetworkAllowed(bool allowed) { m_networkAllowed = allowed; }
    void start();
    // Ends the download as failed; the temporary file is removed.
    void stop();

    const FeedRelease& release() const { return m_release; }
    // The verified image in the cache, once finished without failure.
    const QString& imagePath() const { return m_imagePath; }
    // Whether the image was in the cache already.
    bool wasCached() const { return m_wasCached; }
    // Whether start() went to the server: the image was neither cached nor refused beforehand.
    bool isFetching() const { return m_fetch != nullptr; }
    const std::optional<FeedFailure>& failure() const { return m_failure; }

signals:
    void progress(qint64 received, qint64 total);
    void finished();

private:
    bool takeCached();
    void endSoon(FeedFailure failure);
    bool openTemporary();
    QString write(QByteArrayView piece);
    void onFetched();
    std::optional<FeedFailure> keepVerified();
    void end(std::optional<FeedFailure> failure);

    QNetworkAccessManager& m_network;
    DownloadCache& m_cache;
    FeedRelease m_release;
    QString m_extension;
    BoundedFetch::Timing m_timing;
    std::unique_ptr<QTemporaryFile> m_temporary;
    std::unique_ptr<BoundedFetch> m_fetch;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    QString m_imagePath;
    bool m_networkAllowed = true;
    bool m_wasCached = false;
    bool m_finished = false;
    std::optional<FeedFailure> m_failure;
};

} // namespace modflash::feed
