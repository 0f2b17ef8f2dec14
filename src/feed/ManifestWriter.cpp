// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/ManifestWriter.h"

#include "feed/BuiltInFeed.h"
#include "feed/FeedState.h"
#include "feed/ManifestReader.h"
#include "feed/ReleaseNotes.h"

#include "catalogue/ProductCatalogue.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QUrl>

namespace modflash::feed {

namespace {

bool fail(QString* reason, const QString& why) {
    if (reason)
        *reason = why;
    return false;
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* reason) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    return fail(reason,
                ManifestWriter::tr("%1 cannot be written: %2").arg(path, file.errorString()));
}

QJsonObject releaseEntry(const PublishedImage& image) {
    QJsonObject entry{{"version", image.version},
                      {"date", image.date.toString(Qt::ISODate)},
                      {"url", ManifestWriter::imagesDirectoryName + '/' +
                                  QString::fromLatin1(QUrl::toPercentEncoding(image.fileName))},
                      {"size", static_cast<qint64>(image.bytes.size())},
                      {"sha256", image.sha256}};
    if (!image.notes.isEmpty())
        entry.insert("notes", image.notes);
    if (image.withdrawn)
        entry.insert("withdrawn", true);
    return entry;
}

} // namespace

ManifestWriter::ManifestWriter(const ProductCatalogue& catalogue, Options options)
    : m_catalogue(catalogue)
    , m_options(std::move(options)) {}

bool ManifestWriter::collect(const QString& imagesDirectory) {
    m_imagesDirectory = imagesDirectory;
    m_images.clear();
    m_refusals.clear();
    checkOptions();
    readImages(imagesDirectory);
    readNotes();
    markWithdrawn();
    if (m_refusals.isEmpty())
        readBack();
    return m_refusals.isEmpty();
}

void ManifestWriter::checkOptions() {
    if (const QString refusal = FeedState::feedNameRefusal(m_options.feedName); !refusal.isEmpty())
        m_refusals.append(refusal);
    if (m_options.serial > largestSerial)
        m_refusals.append(tr("the serial %1 is larger than %2, the largest a manifest holds")
                              .arg(m_options.serial)
                              .arg(largestSerial));
    else if (m_options.serial < BuiltInFeed::serialFloor())
        m_refusals.append(tr("the serial %1 is lower than %2, the lowest this build of modflash "
                             "takes (MODFLASH_FEED_SERIAL_FLOOR)")
                              .arg(m_options.serial)
                              .arg(BuiltInFeed::serialFloor()));
    if (m_options.expiresInDays < 1)
        m_refusals.append(tr("the manifest must stay valid for at least one day"));
}

void ManifestWriter::readImages(const QString& imagesDirectory) {
    const QDir directory(imagesDirectory);
    if (!directory.exists()) {
        m_refusals.append(tr("there is no directory %1").arg(imagesDirectory));
        return;
    }
    const QFileInfoList files =
        directory.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& file : files) {
        QString reason;
        if (std::optional<PublishedImage> image = PublishedImage::read(file, m_catalogue, &reason))
            m_images.push_back(std::move(*image));
        else
            m_refusals.append(reason);
    }
    if (files.isEmpty())
        m_refusals.append(tr("%1 holds no image").arg(imagesDirectory));
}

void ManifestWriter::readNotes() {
    if (m_options.notesDirectory.isEmpty())
        return;
    const QDir directory(m_options.notesDirectory);
    if (!directory.exists()) {
        m_refusals.append(tr("there is no directory %1 for the notes").arg(directory.path()));
        return;
    }
    QStringList unused = directory.entryList(QDir::Files | QDir::Hidden);
    for (PublishedImage& image : m_images) {
        const QString name = ReleaseNotes::fileNameFor(image.fileName);
        if (!unused.removeOne(name))
            continue;
        QString reason;
        if (std::optional<QString> notes = ReleaseNotes::read(directory.filePath(name), &reason))
            image.notes = *notes;
        else
            m_refusals.append(reason);
    }
    // Most likely a typing mistake in the image's name, whose notes would silently be missing.
    for (const QString& name : unused)
        m_refusals.append(tr("“%1” of the notes belongs to no image: notes are named after "
                             "their image, as “Wendrel.2.1.bin.txt”")
                              .arg(name));
}

void ManifestWriter::markWithdrawn() {
    for (const QString& name : m_options.withdrawn) {
        const auto image =
            std::find_if(m_images.begin(), m_images.end(),
                         [&](const PublishedImage& each) { return each.fileName == name; });
        if (image == m_images.end())
            m_refusals.append(
                tr("“%1” cannot be withdrawn: no image of that name is in the feed").arg(name));
        else
            image->withdrawn = true;
    }
}

void ManifestWriter::readBack() {
    ManifestReader::Context context;
    context.feedName = m_options.feedName;
    context.manifestUrl = unpublishedUrl();
    context.now = m_options.issued;
    const ManifestReader::Reading reading = ManifestReader::read(manifest(), context, m_catalogue);
    if (!reading.manifest)
        m_refusals.append(tr("modflash would refuse the manifest: %1").arg(reading.reason));
    else
        for (const QString& leftOut : reading.manifest->leftOut)
            m_refusals.append(tr("modflash would leave out %1").arg(leftOut));
}

QByteArray ManifestWriter::manifest() const {
    QJsonArray products;
    for (const ProductPtr& product : m_catalogue.products()) {
        QJsonArray releases;
        for (const PublishedImage& image : m_images)
            if (image.product == product)
                releases.append(releaseEntry(image));
        if (!releases.isEmpty())
            products.append(QJsonObject{{"prefix", QString::fromStdString(product->prefix())},
                                        {"releases", releases}});
    }
    const QJsonObject root{{"format", "modflash-feed"},
                           {"format_version", 1},
                           {"feed", m_options.feedName},
                           {"serial", static_cast<qint64>(m_options.serial)},
                           {"issued", m_options.issued.toUTC().toString(Qt::ISODate)},
                           {"expires", expires().toUTC().toString(Qt::ISODate)},
                           {"products", products}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString ManifestWriter::trustedComment() const {
    return QStringLiteral("modflash-feed %1 serial %2 issued %3")
        .arg(m_options.feedName)
        .arg(m_options.serial)
        .arg(m_options.issued.toUTC().toString(Qt::ISODate));
}

bool ManifestWriter::write(const QString& outDirectory, QString* reason) const {
    const QDir out(outDirectory);
    // Written over themselves, the images would take today's date at the next build.
    const QString images = QFileInfo(out.filePath(imagesDirectoryName)).canonicalFilePath();
    if (!images.isEmpty() && images == QFileInfo(m_imagesDirectory).canonicalFilePath())
        return fail(reason, tr("%1 is where the feed's images are written: keep the images to "
                               "publish in a directory of their own")
                                .arg(images));
    if (!out.mkpath(imagesDirectoryName))
        return fail(reason, tr("%1 cannot be made").arg(out.filePath(imagesDirectoryName)));
    for (const PublishedImage& image : m_images) {
        const QString path = out.filePath(imagesDirectoryName + '/' + image.fileName);
        if (!image.withdrawn) {
            if (!writeWhole(path, image.bytes, reason))
                return false;
        } else if (QFile::exists(path) && !QFile::remove(path)) {
            return fail(reason, tr("the withdrawn image %1 cannot be removed").arg(path));
        }
    }
    // A signature of another manifest would only be refused by everyone who fetched the pair.
    const QString signature = out.filePath(manifestFileName + QStringLiteral(".minisig"));
    if (QFile::exists(signature) && !QFile::remove(signature))
        return fail(reason, tr("the old signature %1 cannot be removed").arg(signature));
    return writeWhole(out.filePath(manifestFileName), manifest(), reason);
}

} // namespace modflash::feed
