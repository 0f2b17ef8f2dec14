// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/FeedRelease.h"

#include <QCoreApplication>
#include <QJsonValue>
#include <QString>
#include <QUrl>

#include <optional>

namespace modflash::feed {

// Reads one release of a verified manifest, and refuses it with a reason when any of its
// fields is not what the feed's format allows.
class ReleaseReader {
    Q_DECLARE_TR_FUNCTIONS(ReleaseReader)

public:
    static constexpr qsizetype largestNotes = 8 * 1024;
    // A version becomes part of a file name; far beyond any real version text.
    static constexpr qsizetype longestVersion = 128;

    // manifestUrl resolves relative URLs; largestImage is the most bytes an image of the
    // product may hold.
    ReleaseReader(QUrl manifestUrl, qint64 largestImage);

    std::optional<FeedRelease> read(const QJsonValue& entry, QString* reason) const;

    // Why the text cannot be a version (part of an image's file name); empty when it can.
    static QString versionRefusal(const QString& version);
    // Why the text cannot be a release's notes (plain text of at most largestNotes bytes);
    // empty when it can.
    static QString notesRefusal(const QString& notes);

private:
    bool readVersion(const QJsonObject& entry, FeedRelease& release, QString* reason) const;
    bool readDateAndNotes(const QJsonObject& entry, FeedRelease& release, QString* reason) const;
    bool readUrl(const QJsonObject& entry, FeedRelease& release, QString* reason) const;
    bool readSizeAndHash(const QJsonObject& entry, FeedRelease& release, QString* reason) const;

    QUrl m_manifestUrl;
    qint64 m_largestImage;
};

} // namespace modflash::feed
