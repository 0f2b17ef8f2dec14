// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/WindowFeed.h"

#include "feed/BoundedFetch.h"
#include "feed/BuiltInFeed.h"
#include "flashing/Preferences.h"

#include <QDir>
#include <QLocale>
#include <QNetworkAccessManager>

namespace modflash {

WindowFeed::WindowFeed(const Preferences& preferences, const ProductCatalogue& catalogue,
                       QObject* parent)
    : QObject(parent)
    , m_preferences(preferences)
    , m_catalogue(catalogue) {}

WindowFeed::~WindowFeed() = default;

bool WindowFeed::addKeyFile(const QString& path, QString* reason) {
    return m_addedKeys.addFile(path, reason);
}

feed::FeedSettings WindowFeed::settings() const {
    feed::FeedSettings settings;
    const QString url =
        QString::fromStdString(m_preferences.stringForKey(PreferenceKey::feedUrl)).trimmed();
    settings.url = QUrl(url.isEmpty() ? feed::BuiltInFeed::defaultUrl() : url);
    const QString name =
        QString::fromStdString(m_preferences.stringForKey(PreferenceKey::feedName)).trimmed();
    if (!name.isEmpty())
        settings.feedName = name;
    for (const feed::MinisignKey& key : m_addedKeys.keys())
        settings.keys.add(key);
    return settings;
}

std::optional<QDateTime> WindowFeed::lastCheck() const {
    return m_state.lastCheck(settings().feedName);
}

void WindowFeed::load() {
    // Only a cache that is there is tidied; it is made when something is downloaded.
    if (QDir(m_cache.directory()).exists())
        m_cache.prepare(nullptr);
    m_manifest.reset();
    if (isOn())
        m_manifest = feed::FeedRefresh::lastVerified(m_state, settings(), m_catalogue);
}

void WindowFeed::checkIfDue() {
    const std::optional<QDateTime> last = lastCheck();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // A check in the future says the clock was wrong then or is now: the feed is read again.
    if (!last || *last > now || last->addSecs(checkInterval.count() * 3600) <= now)
        check();
}

void WindowFeed::check() {
    if (m_checking || !isOn())
        return;
    if (!m_network)
        m_network = feed::BoundedFetch::createNetwork();
    m_refresh = std::make_unique<feed::FeedRefresh>(*m_network, m_state, m_catalogue, settings());
    connect(m_refresh.get(), &feed::FeedRefresh::finished, this, &WindowFeed::checked);
    m_checking = true;
    emit changed();
    m_refresh->start();
}

void WindowFeed::checked() {
    m_checking = false;
    m_outcome = m_refresh->outcome();
    m_manifest = m_outcome->manifest;
    // It is still emitting: kept until the next check ends, so that a check begun from
    // changed() does not delete it under its feet, and before the network it uses goes.
    m_ended = std::move(m_refresh);
    emit changed();
}

bool WindowFeed::clearCache(QString* reason) {
    return m_cache.clear(reason);
}

QString WindowFeed::lastCheckText() const {
    const std::optional<QDateTime> last = lastCheck();
    return last ? QLocale().toString(last->toLocalTime(), QLocale::ShortFormat) : tr("never");
}

QString WindowFeed::statusText() const {
    using Status = feed::FeedRefresh::Outcome::Status;
    if (!isOn())
        return tr("No firmware feed: this modflash names none, so only the images on this "
                  "computer are offered.");
    if (m_checking)
        return tr("Checking for new firmware\u2026");
    if (m_outcome && m_outcome->status == Status::Refused)
        return tr("The firmware feed is refused: %1. Last checked: %2.")
            .arg(m_outcome->reason, lastCheckText());
    if (m_outcome && m_outcome->status == Status::Unreachable)
        return tr("The firmware feed cannot be reached: %1. Last checked: %2.")
            .arg(m_outcome->reason, lastCheckText());
    return tr("Firmware feed last checked: %1.").arg(lastCheckText());
}

} // namespace modflash
