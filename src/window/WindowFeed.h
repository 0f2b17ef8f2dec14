// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/DownloadCache.h"
#include "feed/FeedRefresh.h"
#include "feed/FeedState.h"
#include "feed/Manifest.h"
#include "feed/TrustedKeys.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

class QNetworkAccessManager;

namespace modflash {

class Preferences;
class ProductCatalogue;

// The firmware feed as the window reads it: the manifest's URL and the feed's name from the
// preferences (a maker's test feed) or as built in, the keys built in and any given at start,
// and the user's feed state and download cache. A check runs on the event loop and reports
// through changed(); nothing here waits for the network.
class WindowFeed : public QObject {
    Q_OBJECT

public:
    // The feed is read at start once the last check is older than this.
    static constexpr std::chrono::hours checkInterval{24};

    WindowFeed(const Preferences& preferences, const ProductCatalogue& catalogue,
               QObject* parent = nullptr);
    ~WindowFeed() override;

    // Trusts the minisign public keys of the file too; false with the reason when it cannot.
    bool addKeyFile(const QString& path, QString* reason);

    // Whether there is a feed at all: a URL in the preferences or built in.
    bool isOn() const { return !settings().url.isEmpty(); }
    bool isChecking() const { return m_checking; }
    // The manifest that verified last; none while the feed is off or was never read.
    const std::optional<feed::Manifest>& manifest() const { return m_manifest; }
    std::optional<QDateTime> lastCheck() const;
    // What the person is told of the feed, in one line.
    QString statusText() const;

    // Takes what this computer has: tidies the download cache of downloads that never ended
    // and verifies the manifest kept from the last check.
    void load();
    // Checks the feed when the last check is older than checkInterval, or there was none.
    void checkIfDue();
    // Reads the feed from its server; a check already under way is left to end.
    void check();
    // Empties the download cache; false with the reason when something stays.
    bool clearCache(QString* reason);
    qint64 cacheSize() const { return m_cache.totalSize(); }

signals:
    // A check began or ended; the manifest may be another one.
    void changed();

private:
    feed::FeedSettings settings() const;
    void checked();
    QString lastCheckText() const;

    const Preferences& m_preferences;
    const ProductCatalogue& m_catalogue;
    feed::TrustedKeys m_addedKeys;
    feed::FeedState m_state;
    feed::DownloadCache m_cache;
    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<feed::FeedRefresh> m_refresh;
    std::unique_ptr<feed::FeedRefresh> m_ended; // the last check that ended
    std::optional<feed::FeedRefresh::Outcome> m_outcome;
    std::optional<feed::Manifest> m_manifest;
    bool m_checking = false;
};

} // namespace modflash
