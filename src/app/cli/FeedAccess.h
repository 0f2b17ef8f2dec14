// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cli/Request.h"
#include "feed/DownloadCache.h"
#include "feed/FeedFailure.h"
#include "feed/FeedRefresh.h"
#include "feed/FeedState.h"

#include <memory>
#include <optional>
#include <variant>

class QNetworkAccessManager;

namespace modflash {
class ProductCatalogue;
}

namespace modflash::cli {

// The feed as this run of modflash-cli sees it: the feed's URL, name and trusted keys (built in,
// or given for the run), the user's feed state and download cache, and whether the network may
// be used. Only a refresh reads the feed from the network; everything else uses the manifest
// the last refresh verified.
class FeedAccess {
public:
    // Throws UsageError for a key file or feed name that cannot be used.
    FeedAccess(const FeedOptions& options, const ProductCatalogue& catalogue);
    ~FeedAccess();

    // Whether there is a feed at all: a URL built in or given.
    bool isOn() const { return !m_settings.url.isEmpty(); }
    bool isOffline() const { return m_offline; }
    const feed::FeedSettings& settings() const { return m_settings; }
    feed::DownloadCache& cache() { return m_cache; }

    // The manifest the last refresh verified, verified again; nothing while the feed is off.
    std::optional<feed::Manifest> lastVerified() const;
    // Reads the feed from the server and keeps a newer manifest (waits for it).
    feed::FeedRefresh::Outcome refresh();
    // Brings a release into the download cache, or finds it there intact (waits for it); the
    // image's path, or why not.
    std::variant<QString, feed::FeedFailure> download(const feed::FeedRelease& release,
                                                      const QString& extension);

private:
    void readKeys(const FeedOptions& options);
    QNetworkAccessManager& network();

    const ProductCatalogue& m_catalogue;
    feed::FeedSettings m_settings;
    feed::FeedState m_state;
    feed::DownloadCache m_cache;
    bool m_offline = false;
    std::unique_ptr<QNetworkAccessManager> m_network;
};

} // namespace modflash::cli
