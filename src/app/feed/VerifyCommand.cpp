// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/feed/VerifyCommand.h"

#include "app/feed/Console.h"
#include "app/feed/FeedError.h"
#include "app/feed/SubcommandParser.h"
#include "catalogue/ProductCatalogue.h"
#include "feed/FeedRefresh.h"
#include "feed/FeedUrlRule.h"
#include "feed/ManifestWriter.h"
#include "feed/MinisignVerifier.h"
#include "feed/PublishedFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace modflash::feedtool {

namespace {

using feed::FeedSettings;
using feed::Manifest;

QByteArray readInput(const QString& path, qint64 largest, const QString& what) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FeedError{
            EX_NOINPUT,
            QStringLiteral("%1 %2 cannot be read: %3").arg(what, path, file.errorString())};
    return file.read(largest + 1);
}

feed::TrustedKeys keys(const SubcommandParser& parser) {
    if (!parser.isSet(QStringLiteral("key"))) {
        feed::TrustedKeys builtIn = feed::TrustedKeys::builtIn();
        if (builtIn.isEmpty())
            throw FeedError{EX_USAGE, QStringLiteral("give the public key with --key: this build "
                                                     "has none built in (MODFLASH_FEED_KEYS)")};
        return builtIn;
    }
    feed::TrustedKeys given;
    QString reason;
    if (!given.addFile(parser.value(QStringLiteral("key")), &reason))
        throw FeedError{EX_NOINPUT, reason};
    return given;
}

// The signature is checked before anything of the manifest is read, the feed's name too.
QString verifiedSignature(const QByteArray& manifest, const QByteArray& signature,
                          const feed::TrustedKeys& keys) {
    const feed::MinisignVerifier::Result verified =
        feed::MinisignVerifier::verify(manifest, signature, keys);
    if (!verified.verified)
        throw FeedError{
            EX_DATAERR,
            QStringLiteral("the manifest's signature is refused: %1").arg(verified.reason)};
    return QStringLiteral("Signature good: key %1, trusted comment “%2”.")
        .arg(feed::MinisignKey::keyIdText(verified.keyId),
             QString::fromUtf8(verified.trustedComment));
}

// The feed asked for, or the one the manifest names: modflash would be asked for that one.
QString feedName(const SubcommandParser& parser, const QByteArray& manifest) {
    if (parser.isSet(QStringLiteral("feed")))
        return parser.value(QStringLiteral("feed"));
    const QJsonValue named =
        QJsonDocument::fromJson(manifest).object().value(QStringLiteral("feed"));
    return named.toString(FeedSettings().feedName);
}

QUrl publishedUrl(const SubcommandParser& parser) {
    if (!parser.isSet(QStringLiteral("url")))
        return feed::ManifestWriter::unpublishedUrl();
    const QUrl url(parser.value(QStringLiteral("url")));
    if (const QString refusal = feed::FeedUrlRule::refusal(url); !refusal.isEmpty())
        throw FeedError{EX_USAGE, QStringLiteral("--url: %1").arg(refusal)};
    return url;
}

void printReleases(const Manifest& manifest) {
    Console::line(
        QStringLiteral("Feed “%1”, serial %2, issued %3, expires %4.")
            .arg(manifest.feedName)
            .arg(manifest.serial)
            .arg(manifest.issued.toString(Qt::ISODate), manifest.expires.toString(Qt::ISODate)));
    for (const Manifest::Product& product : manifest.products) {
        QStringList releases;
        for (const feed::FeedRelease& release : product.releases)
            releases.append(
                QStringLiteral("%1 (%2, %3 bytes%4)")
                    .arg(release.version, release.date.toString(Qt::ISODate),
                         QString::number(release.size),
                         release.withdrawn ? QStringLiteral(", withdrawn") : QString()));
        Console::line(QStringLiteral("%1: %2").arg(
            product.title, releases.isEmpty() ? QStringLiteral("no release")
                                              : releases.join(QStringLiteral(", "))));
    }
    for (const QString& leftOut : manifest.leftOut)
        Console::line(QStringLiteral("Left out: %1").arg(leftOut));
}

} // namespace

int VerifyCommand::run(const QStringList& arguments) {
    SubcommandParser parser(
        QStringLiteral("verify"),
        QStringLiteral("Checks MANIFEST and its signature MANIFEST.minisig as modflash does, and\n"
                       "the images beside it, and lists the releases modflash would offer."),
        {{QStringLiteral("MANIFEST"), QStringLiteral("The feed's manifest.json.")}});
    parser.addOption({QStringLiteral("key"),
                      QStringLiteral("The minisign public key to check with (default: the keys "
                                     "built in)."),
                      QStringLiteral("KEY.pub")});
    parser.addOption({QStringLiteral("feed"),
                      QStringLiteral("The feed modflash asks for (default: the one the manifest "
                                     "names)."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("url"),
                      QStringLiteral("Where the manifest will be published, for its relative "
                                     "URLs (default: an https place of its own)."),
                      QStringLiteral("URL")});
    if (!parser.parse(arguments))
        return EX_OK;

    const QString path = parser.positional().at(0);
    const QByteArray manifest =
        readInput(path, feed::ManifestReader::largestManifest, QStringLiteral("the manifest"));
    const QByteArray signature =
        readInput(path + QStringLiteral(".minisig"), feed::MinisignSignature::largestFile,
                  QStringLiteral("its signature"));
    FeedSettings settings;
    settings.keys = keys(parser);
    settings.url = publishedUrl(parser);
    const QString signatureLine = verifiedSignature(manifest, signature, settings.keys);
    settings.feedName = feedName(parser, manifest);
    const feed::ManifestReader::Reading reading =
        feed::FeedRefresh::verifyAndRead(manifest, signature, settings, ProductCatalogue(), true);
    if (!reading.manifest)
        throw FeedError{EX_DATAERR, reading.reason};
    if (reading.manifest->serial < settings.serialFloor)
        throw FeedError{EX_DATAERR,
                        QStringLiteral("the manifest's serial %1 is lower than %2, the lowest this "
                                       "build of modflash takes")
                            .arg(reading.manifest->serial)
                            .arg(settings.serialFloor)};
    Console::line(signatureLine);
    printReleases(*reading.manifest);

    const feed::PublishedFiles::Finding files = feed::PublishedFiles::check(
        *reading.manifest, settings.url, QFileInfo(path).absolutePath());
    Console::line(QStringLiteral("Images beside the manifest: %1 match, %2 offered elsewhere.")
                      .arg(files.matching)
                      .arg(files.elsewhere));
    if (!files.problems.isEmpty()) {
        for (const QString& problem : files.problems)
            Console::error(problem);
        throw FeedError{EX_DATAERR,
                        QStringLiteral("a download of the images above would be refused")};
    }
    return EX_OK;
}

} // namespace modflash::feedtool
