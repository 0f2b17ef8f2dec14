// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/PublishedImage.h"

#include "feed/ReleaseReader.h"

#include "catalogue/ProductCatalogue.h"

#include <QFileInfo>

#include <string>

namespace modflash::feed {

namespace {

bool fail(QString* reason, const QString& why) {
    if (reason)
        *reason = why;
    return false;
}

} // namespace

ProductPtr PublishedImage::productFor(const QString& fileName, const ProductCatalogue& catalogue,
                                      QString* version, QString* reason) {
    std::vector<ProductPtr> owners;
    for (const ProductPtr& product : catalogue.products())
        if (fileName.startsWith(QString::fromStdString(product->prefix())))
            owners.push_back(product);
    if (owners.empty()) {
        fail(reason, tr("“%1” does not begin with the prefix of any product of the catalogue "
                        "(an image is named prefix, version and extension: "
                        "“Wendrel.2.1.bin”)")
                         .arg(fileName));
        return nullptr;
    }
    if (owners.size() > 1) {
        fail(reason, tr("“%1” begins with the prefixes of both %2 and %3: rename it")
                         .arg(fileName, QString::fromStdString(owners[0]->title()),
                              QString::fromStdString(owners[1]->title())));
        return nullptr;
    }
    const ProductPtr& product = owners.front();
    const QString prefix = QString::fromStdString(product->prefix());
    const QString extension = '.' + QString::fromStdString(product->firmwareExtension());
    if (!fileName.endsWith(extension)) {
        fail(reason, tr("“%1” has the prefix of %2, whose images end in “%3”")
                         .arg(fileName, QString::fromStdString(product->title()), extension));
        return nullptr;
    }
    // "Wendrel.bin": the prefix's full stop is the extension's, and no version is left.
    *version = fileName.mid(prefix.size(),
                            qMax<qsizetype>(0, fileName.size() - prefix.size() - extension.size()));
    if (const QString refusal = ReleaseReader::versionRefusal(*version); !refusal.isEmpty()) {
        fail(reason, tr("“%1”: %2").arg(fileName, refusal));
        return nullptr;
    }
    return product;
}

std::optional<PublishedImage>
PublishedImage::read(const QFileInfo& file, const ProductCatalogue& catalogue, QString* reason) {
    PublishedImage image;
    image.fileName = file.fileName();
    image.product = productFor(image.fileName, catalogue, &image.version, reason);
    if (!image.product)
        return std::nullopt;
    // The check modflash runs before it writes an image, with no module connected.
    std::string bytes;
    const ImageReport report = image.product->checkImage(
        file.absoluteFilePath().toStdString(), std::nullopt, image.fileName.toStdString(), &bytes);
    if (!report.accepted()) {
        fail(reason, QString::fromStdString(report.reason));
        return std::nullopt;
    }
    image.bytes = QByteArray::fromStdString(bytes);
    image.sha256 = QString::fromStdString(report.sha256);
    image.date = file.lastModified().toUTC().date();
    return image;
}

} // namespace modflash::feed
