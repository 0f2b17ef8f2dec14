// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/FeedAccess.h"

#include "app/cli/CliText.h"
#include "app/cli/UsageError.h"
#include "feed/BuiltInFeed.h"
#include "feed/ImageDownload.h"

#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>

namespace modflash::cli {

namespace {

// Runs the event loop until the object has finished.
template <typename Task> void waitFor(Task& task) {
    QEventLoop loop;
    QObject::connect(&task, &Task::finished, &loop, &QEventLoop::quit);
    task.start();
    loop.exec();
}

} // namespace

FeedAccess::FeedAccess(const FeedOptions& options, const ProductCatalogue& catalogue)
    : m_catalogue(catalogue)
    , m_offline(options.offline) {
    m_settings.url = QUrl(options.url.isEmpty() ? feed::BuiltInFeed::defaultUrl() : options.url);
    if (!options.name.isEmpty())
        m_settings.feedName = options.name;
    if (const QString refusal = feed::FeedState::feedNameRefusal(m_settings.feedName);
        !refusal.isEmpty())
        throw UsageError(
            CliText::tr("--feed-name %1: %2").arg(m_settings.feedName, refusal).toStdString());
    readKeys(options);
    // Downloads that never ended leave their temporary files; only what is there is tidied.
    if (QDir(m_cache.directory()).exists())
        m_cache.prepare(nullptr);
}

FeedAccess::~FeedAccess() = default;

void FeedAccess::readKeys(const FeedOptions& options) {
    for (const QString& file : options.keyFiles) {
        QString reason;
        if (!m_settings.keys.addFile(file, &reason))
            throw UsageError(CliText::tr("--feed-key %1 cannot be used: %2; give a minisign "
                                         "public key file")
                                 .arg(file, reason)
                                 .toStdString());
    }
}

QNetworkAccessManager& FeedAccess::network() {
    if (!m_network)
        m_network = feed::BoundedFetch::createNetwork();
    return *m_network;
}

std::optional<feed::Manifest> FeedAccess::lastVerified() const {
    if (!isOn())
        return std::nullopt;
    return feed::FeedRefresh::lastVerified(m_state, m_settings, m_catalogue);
}

feed::FeedRefresh::Outcome FeedAccess::refresh() {
    feed::FeedRefresh refresh(network(), m_state, m_catalogue, m_settings);
    waitFor(refresh);
    return refresh.outcome();
}

std::variant<QString, feed::FeedFailure> FeedAccess::download(const feed::FeedRelease& release,
                                                              const QString& extension) {
    feed::ImageDownload download(network(), m_cache, release, extension);
    download.setNetworkAllowed(!m_offline);
    waitFor(download);
    if (download.failure())
        return *download.failure();
    return download.imagePath();
}

} // namespace modflash::cli
