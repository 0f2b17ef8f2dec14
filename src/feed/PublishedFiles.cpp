// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/PublishedFiles.h"

#include "feed/FeedUrlRule.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace modflash::feed {

namespace {

// Why the file is not the release's image; empty when it is.
QString mismatch(const QString& path, const FeedRelease& release) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PublishedFiles::tr("cannot be read: %1").arg(file.errorString());
    if (file.size() != release.size)
        return PublishedFiles::tr("holds %1 bytes, the manifest says %2")
            .arg(file.size())
            .arg(release.size);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    if (QString::fromLatin1(hash.result().toHex()) != release.sha256)
        return PublishedFiles::tr("has another SHA-256 than the manifest says: it changed after "
                                  "the manifest was written");
    return {};
}

} // namespace

PublishedFiles::Finding PublishedFiles::check(const Manifest& manifest, const QUrl& manifestUrl,
                                              const QString& manifestDirectory) {
    Finding finding;
    const QUrl base = manifestUrl.resolved(QUrl(QStringLiteral(".")));
    for (const Manifest::Product& product : manifest.products) {
        for (const FeedRelease& release : product.releases) {
            if (release.withdrawn)
                continue;
            const QString directory = base.path(QUrl::FullyDecoded);
            const QString path = release.url.path(QUrl::FullyDecoded);
            if (!FeedUrlRule::sameOrigin(base, release.url) || !path.startsWith(directory)) {
                ++finding.elsewhere;
                continue;
            }
            const QString relative = path.mid(directory.size());
            const QString problem = mismatch(QDir(manifestDirectory).filePath(relative), release);
            if (problem.isEmpty())
                ++finding.matching;
            else
                finding.problems.append(
                    tr("%1 %2: %3 %4").arg(product.title, release.version, relative, problem));
        }
    }
    return finding;
}

} // namespace modflash::feed
