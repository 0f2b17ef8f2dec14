// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/ImageDownload.h"

#include <QDir>
#include <QTemporaryFile>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

namespace modflash::feed {

namespace {

// A rename is only as durable as the directory entry that records it.
void syncDirectory(const QString& path) {
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

ImageDownload::ImageDownload(QNetworkAccessManager& network, DownloadCache& cache,
                             FeedRelease release, QString extension, BoundedFetch::Timing timing,
                             QObject* parent)
    : QObject(parent)
    , m_network(network)
    , m_cache(cache)
    , m_release(std::move(release))
    , m_extension(std::move(extension))
    , m_timing(timing) {}

ImageDownload::~ImageDownload() = default;

void ImageDownload::start() {
    if (takeCached())
        return;
    if (!m_networkAllowed)
        return endSoon(FeedFailure::unreachable(
            tr("%1 has not been downloaded yet, and the network may not be used")
                .arg(m_release.url.toString())));
    if (!openTemporary())
        return;
    BoundedFetch::Limits limits;
    limits.largestBody = m_release.size;
    limits.exactBody = m_release.size;
    limits.timing = m_timing;
    m_fetch = std::make_unique<BoundedFetch>(m_network, m_release.url, limits);
    m_fetch->setConsumer([this](QByteArrayView piece) { return write(piece); });
    connect(m_fetch.get(), &BoundedFetch::progress, this, &ImageDownload::progress);
    connect(m_fetch.get(), &BoundedFetch::finished, this, &ImageDownload::onFetched);
    m_fetch->start();
}

void ImageDownload::stop() {
    if (m_fetch && !m_fetch->isFinished())
        m_fetch->stop(tr("the download of %1 was stopped").arg(m_release.url.toString()));
}

bool ImageDownload::takeCached() {
    QString edited;
    const std::optional<QString> cached =
        m_cache.verifiedImage(m_release.sha256, m_extension, &edited);
    if (!edited.isEmpty()) {
        endSoon(FeedFailure::refused(edited));
        return true;
    }
    if (!cached)
        return false;
    m_imagePath = *cached;
    m_wasCached = true;
    m_cache.markUsed(*cached);
    // Finished from the event loop, as a download would be.
    QTimer::singleShot(0, this, [this] { end(std::nullopt); });
    return true;
}

bool ImageDownload::openTemporary() {
    QString reason;
    m_temporary = std::make_unique<QTemporaryFile>(m_cache.temporaryTemplate());
    if (!m_cache.prepare(&reason) || !m_temporary->open()) {
        if (reason.isEmpty())
            reason = tr("a file cannot be made in the download cache %1: %2")
                         .arg(m_cache.directory(), m_temporary->errorString());
        endSoon(FeedFailure::unreachable(reason));
        return false;
    }
    return true;
}

void ImageDownload::endSoon(FeedFailure failure) {
    // Finished from the event loop, as a download would be.
    QTimer::singleShot(0, this, [this, failure] { end(failure); });
}

QString ImageDownload::write(QByteArrayView piece) {
    m_hash.addData(piece);
    if (m_temporary->write(piece.data(), piece.size()) != piece.size())
        return tr("the download cannot be written to %1: %2")
            .arg(m_cache.directory(), m_temporary->errorString());
    return {};
}

void ImageDownload::onFetched() {
    if (const std::optional<FeedFailure>& failed = m_fetch->failure())
        return end(*failed);
    end(keepVerified());
}

std::optional<FeedFailure> ImageDownload::keepVerified() {
    const QString url = m_release.url.toString();
    if (m_fetch->received() != m_release.size)
        return FeedFailure::refused(tr("%1 sent %2 bytes where the feed says %3")
                                        .arg(url)
                                        .arg(m_fetch->received())
                                        .arg(m_release.size));
    const QString sha256 = QString::fromLatin1(m_hash.result().toHex());
    if (sha256 != m_release.sha256)
        return FeedFailure::refused(tr("%1 has the SHA-256 %2 where the feed says %3: it is not "
                                       "the image the feed offers")
                                        .arg(url, sha256, m_release.sha256));
    const QString path = m_cache.pathFor(m_release.sha256, m_extension);
    if (!m_temporary->flush() || ::fsync(m_temporary->handle()) != 0)
        return FeedFailure::unreachable(tr("the download cannot be written to %1: %2")
                                            .arg(m_cache.directory(), qt_error_string(errno)));
    // Whatever has the name now is that image or an edited copy of it; the rename of the
    // temporary file (unnamed until then where the system allows) does not replace a file.
    QFile::remove(path);
    if (!m_temporary->rename(path))
        return FeedFailure::unreachable(tr("the download cannot be kept in %1: %2")
                                            .arg(m_cache.directory(), m_temporary->errorString()));
    m_temporary->setAutoRemove(false);
    syncDirectory(m_cache.directory());
    m_imagePath = path;
    m_cache.markUsed(path);
    m_cache.trim(path);
    return std::nullopt;
}

void ImageDownload::end(std::optional<FeedFailure> failure) {
    if (m_finished)
        return;
    m_finished = true;
    m_failure = std::move(failure);
    // Removes the temporary file unless it became the image.
    m_temporary.reset();
    if (m_failure)
        m_imagePath.clear();
    emit finished();
}

} // namespace modflash::feed
