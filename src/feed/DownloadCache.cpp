// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/DownloadCache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace modflash::feed {

namespace {

const QString temporaryPrefix = QStringLiteral(".partial-");

// Only what this class names: an image is 64 hex digits and an extension.
bool isImageName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{64}\\.[A-Za-z0-9]+$"));
    return pattern.match(name).hasMatch();
}

} // namespace

DownloadCache::DownloadCache(QString directory, qint64 limit)
    : m_directory(std::move(directory))
    , m_limit(limit) {}

QString DownloadCache::defaultDirectory() {
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.cache");
    return base + QStringLiteral("/modflash/feed");
}

bool DownloadCache::prepare(QString* reason) {
    QDir directory(m_directory);
    if (!directory.mkpath(QStringLiteral("."))) {
        if (reason)
            *reason = tr("the download cache %1 cannot be made").arg(m_directory);
        return false;
    }
    const QStringList leftovers =
        directory.entryList({temporaryPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    for (const QString& name : leftovers)
        directory.remove(name);
    return true;
}

QString DownloadCache::temporaryTemplate() const {
    return m_directory + QLatin1Char('/') + temporaryPrefix + QStringLiteral("XXXXXX");
}

QString DownloadCache::pathFor(const QString& sha256, const QString& extension) const {
    return m_directory + QLatin1Char('/') + sha256 + QLatin1Char('.') + extension;
}

std::optional<QString> DownloadCache::verifiedImage(const QString& sha256, const QString& extension,
                                                    QString* reason) {
    const QString path = pathFor(sha256, extension);
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    if (fileSha256(path) == sha256)
        return path;
    QFile::remove(path);
    if (reason)
        *reason = tr("the cached image %1 was changed after it was downloaded and verified; it "
                     "is removed and will be downloaded again")
                      .arg(path);
    return std::nullopt;
}

void DownloadCache::markUsed(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
}

void DownloadCache::trim(const QString& keep) {
    QFileInfoList images =
        QDir(m_directory).entryInfoList(QDir::Files, QDir::Time | QDir::Reversed);
    images.removeIf([](const QFileInfo& info) { return !isImageName(info.fileName()); });
    qint64 total = 0;
    for (const QFileInfo& image : images)
        total += image.size();
    for (const QFileInfo& image : images) {
        if (total <= m_limit)
            break;
        if (image.absoluteFilePath() == QFileInfo(keep).absoluteFilePath())
            continue;
        if (QFile::remove(image.absoluteFilePath()))
            total -= image.size();
    }
}

bool DownloadCache::clear(QString* reason) {
    QDir directory(m_directory);
    if (!directory.exists())
        return true;
    bool cleared = true;
    for (const QFileInfo& entry : directory.entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString name = entry.fileName();
        if ((isImageName(name) || name.startsWith(temporaryPrefix)) &&
            !QFile::remove(entry.absoluteFilePath()) && cleared) {
            cleared = false;
            if (reason)
                *reason = tr("%1 cannot be removed").arg(entry.absoluteFilePath());
        }
    }
    return cleared;
}

qint64 DownloadCache::totalSize() const {
    qint64 total = 0;
    for (const QFileInfo& entry : QDir(m_directory).entryInfoList(QDir::Files))
        if (isImageName(entry.fileName()))
            total += entry.size();
    return total;
}

std::optional<QString> DownloadCache::fileSha256(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return std::nullopt;
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace modflash::feed
