// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/FeedUrlRule.h"

#include <QHostAddress>

namespace modflash::feed {

namespace {

int effectivePort(const QUrl& url) {
    return url.port(url.scheme() == QLatin1String("https") ? 443 : 80);
}

} // namespace

QString FeedUrlRule::refusal(const QUrl& url) {
    if (!url.isValid() || url.isRelative())
        return tr("\"%1\" is not a complete URL").arg(url.toString());
    const QString scheme = url.scheme();
    if (scheme != QLatin1String("https") && scheme != QLatin1String("http"))
        return tr("\"%1\" is not an https URL").arg(url.toString());
    if (url.host().isEmpty())
        return tr("\"%1\" names no server").arg(url.toString());
    if (!url.userInfo().isEmpty())
        return tr("\"%1\" carries a user name or password").arg(url.toString(QUrl::RemovePassword));
    if (scheme == QLatin1String("https"))
        return {};
    // Only an address, not a name: a name could be made to point anywhere.
    if (scheme == QLatin1String("http") && QHostAddress(url.host()).isLoopback())
        return {};
    return tr("\"%1\" uses plain http, which is taken only from this machine (127.0.0.1 or ::1); "
              "the feed must use https")
        .arg(url.toString());
}

bool FeedUrlRule::sameOrigin(const QUrl& from, const QUrl& to) {
    return from.scheme() == to.scheme() && from.host() == to.host() &&
           effectivePort(from) == effectivePort(to);
}

} // namespace modflash::feed
