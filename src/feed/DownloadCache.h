// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace modflash::feed {

// The downloaded feed images, under $XDG_CACHE_HOME/modflash/feed, each named by its SHA-256
// and extension. Only verified images are ever given that name; a download in progress is a
// temporary file beside them, and one left by a process that died is removed at start. The
// cache is bounded: the least recently used images go first.
class DownloadCache {
    Q_DECLARE_TR_FUNCTIONS(DownloadCache)

public:
    static constexpr qint64 defaultLimit = 128 * 1024 * 1024;

    explicit DownloadCache(QString directory = defaultDirectory(), qint64 limit = defaultLimit);

    // $XDG_CACHE_HOME/modflash/feed, or ~/.cache/modflash/feed.
    static QString defaultDirectory();
    const QString& directory() const { return m_directory; }
    qint64 limit() const { return m_limit; }

    // Makes the directory and removes the temporary files of downloads that never ended.
    bool prepare(QString* reason);
    // Where a download is written until it is verified (a QTemporaryFile template).
    QString temporaryTemplate() const;

    QString pathFor(const QString& sha256, const QString& extension) const;
    // The cached image with this hash, when there is one whose bytes still have it. One that
    // was changed after it was verified is removed, and reason says so.
    std::optional<QString> verifiedImage(const QString& sha256, const QString& extension,
                                         QString* reason = nullptr);
    // Counts as used now, and so is kept over images used longer ago.
    void markUsed(const QString& path);
    // Removes the least recently used images until the cache is within its limit; keep is
    // never removed.
    void trim(const QString& keep = {});
    // Removes every image and temporary file.
    bool clear(QString* reason);
    qint64 totalSize() const;

    // The SHA-256 of a file's bytes, in lower-case hexadecimal; nothing when it cannot be read.
    static std::optional<QString> fileSha256(const QString& path);

private:
    QString m_directory;
    qint64 m_limit;
};

} // namespace modflash::feed
