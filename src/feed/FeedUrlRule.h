// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QUrl>

namespace modflash::feed {

// Where the feed and its images may be fetched from: https anywhere, plain http only from this
// machine (a maker's test feed), nothing else.
class FeedUrlRule {
    Q_DECLARE_TR_FUNCTIONS(FeedUrlRule)

public:
    // Why the URL may not be fetched; empty when it may.
    static QString refusal(const QUrl& url);
    // Whether a redirect from one to the other stays with the same server: same scheme, host
    // and port.
    static bool sameOrigin(const QUrl& from, const QUrl& to);
};

} // namespace modflash::feed
