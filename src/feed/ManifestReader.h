// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/Manifest.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <optional>

namespace modflash {
class Product;
class ProductCatalogue;
} // namespace modflash

namespace modflash::feed {

// Reads a manifest whose signature has been verified: the whole manifest is refused when its
// frame is wrong (format, version, feed name, serial, times), a product or release that is
// wrong is left out with the reason.
class ManifestReader {
    Q_DECLARE_TR_FUNCTIONS(ManifestReader)

public:
    static constexpr qsizetype largestManifest = 1024 * 1024;

    struct Context {
        // The feed asked for ("stable" unless the user chose another).
        QString feedName;
        // Relative release URLs are relative to it.
        QUrl manifestUrl;
        QDateTime now;
        // Off for the copy kept from an earlier check: it was fresh when it was taken, and its
        // cached images must stay usable offline after it expires.
        bool checkTimes = true;
    };

    struct Reading {
        std::optional<Manifest> manifest;
        // Why the manifest is refused, when it is.
        QString reason;
    };

    static Reading read(QByteArrayView bytes, const Context& context,
                        const ProductCatalogue& catalogue);

    // The most bytes an image file of the product may hold: its family's largest flash for a
    // binary image; for Intel HEX text, which takes about three characters a byte, the bound
    // the checks before writing read at most.
    static qint64 largestImage(const Product& product);

private:
    static QString frameRefusal(const QJsonObject& root, const Context& context,
                                Manifest& manifest);
    static QString timeRefusal(const QJsonObject& root, const Context& context, Manifest& manifest);
    static void readProducts(const QJsonArray& products, const Context& context,
                             const ProductCatalogue& catalogue, Manifest& manifest);
    static void readReleases(const QJsonArray& releases, const Context& context,
                             const Product& product, Manifest& manifest);
};

} // namespace modflash::feed
