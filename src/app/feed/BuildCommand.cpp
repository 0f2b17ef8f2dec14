// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/feed/BuildCommand.h"

#include "app/feed/Console.h"
#include "app/feed/FeedError.h"
#include "app/feed/SubcommandParser.h"
#include "catalogue/ProductCatalogue.h"
#include "feed/ManifestWriter.h"

#include <QDir>
#include <QRegularExpression>

namespace modflash::feedtool {

namespace {

using feed::ManifestWriter;

// Far beyond any sensible life of a manifest: a longer one would keep an old feed valid for
// years in the hands of whoever kept a copy.
constexpr quint64 longestLifeDays = 3660;

ManifestWriter::Options options(const SubcommandParser& parser) {
    ManifestWriter::Options options;
    if (parser.isSet(QStringLiteral("feed")))
        options.feedName = parser.value(QStringLiteral("feed"));
    options.serial = parser.number(QStringLiteral("serial"), ManifestWriter::largestSerial);
    options.expiresInDays =
        static_cast<int>(parser.number(QStringLiteral("expires"), longestLifeDays));
    options.notesDirectory = parser.value(QStringLiteral("notes-dir"));
    options.withdrawn = parser.values(QStringLiteral("withdraw"));
    options.issued = QDateTime::currentDateTimeUtc();
    return options;
}

void printSigning(const ManifestWriter& writer, const QString& manifest, const QString& secretKey) {
    int releases = 0;
    for (const feed::PublishedImage& image : writer.images())
        releases += image.withdrawn ? 0 : 1;
    Console::line(QStringLiteral("Wrote %1: %2 releases, %3 withdrawn; it expires on %4.")
                      .arg(manifest, QString::number(releases),
                           QString::number(writer.images().size() - releases),
                           writer.expires().toString(Qt::ISODate)));
    Console::line(QStringLiteral("Sign it with:"));
    Console::line(QStringLiteral("minisign -S -s %1 -m %2 -t %3")
                      .arg(secretKey.isEmpty() ? QStringLiteral("~/.minisign/minisign.key")
                                               : BuildCommand::shellWord(secretKey),
                           BuildCommand::shellWord(manifest),
                           BuildCommand::shellWord(writer.trustedComment())));
    Console::line(QStringLiteral("Then check it with:"));
    Console::line(QStringLiteral("modflash-feed verify --key PUBLIC_KEY %1")
                      .arg(BuildCommand::shellWord(manifest)));
}

} // namespace

QString BuildCommand::shellWord(const QString& word) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:@%+=,-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    return '\'' + QString(word).replace('\'', QLatin1String("'\\''")) + '\'';
}

int BuildCommand::run(const QStringList& arguments) {
    SubcommandParser parser(
        QStringLiteral("build"),
        QStringLiteral("Writes OUT_DIR/manifest.json and the images beside it, after checking\n"
                       "every image as modflash does before writing, and prints the minisign\n"
                       "command that signs the manifest."),
        {{QStringLiteral("IMAGES_DIR"),
          QStringLiteral("The images, named prefix, version and extension (Wendrel.2.1.bin).")},
         {QStringLiteral("OUT_DIR"), QStringLiteral("Where the feed is written.")}});
    parser.addOption({QStringLiteral("feed"), QStringLiteral("The feed's name (stable)."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("serial"),
                      QStringLiteral("The manifest's serial, higher than any published before."),
                      QStringLiteral("N")});
    parser.addOption({QStringLiteral("expires"),
                      QStringLiteral("How many days from now the manifest stays valid."),
                      QStringLiteral("DAYS")});
    parser.addOption(
        {QStringLiteral("notes-dir"),
         QStringLiteral("Release notes: IMAGE.txt for an image, UTF-8, at most 8 KiB."),
         QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("withdraw"),
                      QStringLiteral("Lists the image as withdrawn (repeatable)."),
                      QStringLiteral("IMAGE")});
    parser.addOption({QStringLiteral("secret-key"),
                      QStringLiteral("The secret key the printed minisign command names."),
                      QStringLiteral("FILE")});
    if (!parser.parse(arguments))
        return EX_OK;

    const ProductCatalogue catalogue;
    ManifestWriter writer(catalogue, options(parser));
    if (!writer.collect(parser.positional().at(0))) {
        for (const QString& refusal : writer.refusals())
            Console::error(refusal);
        throw FeedError{EX_DATAERR, QStringLiteral("nothing was written")};
    }
    const QString out = parser.positional().at(1);
    QString reason;
    if (!writer.write(out, &reason))
        throw FeedError{EX_CANTCREAT, reason};
    printSigning(writer, QDir(out).filePath(ManifestWriter::manifestFileName),
                 parser.value(QStringLiteral("secret-key")));
    return EX_OK;
}

} // namespace modflash::feedtool
