// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QUrl>

namespace modflash::feed {

// One firmware image the feed offers, as its verified manifest describes it.
struct FeedRelease {
    QString version;
    QDate date;
    // Plain text, shown as it is.
    QString notes;
    // Absolute: a relative URL is resolved against the manifest's.
    QUrl url;
    qint64 size = 0;
    // 64 lower-case hexadecimal digits.
    QString sha256;
    // Hidden, and no longer offered from the cache either.
    bool withdrawn = false;
};

} // namespace modflash::feed
