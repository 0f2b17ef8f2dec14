// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QString>

#include <optional>

class QFileInfo;

namespace modflash {
class ProductCatalogue;
}

namespace modflash::feed {

// One image file a maker puts into a feed: whose it is and which version, as its name says
// ("Wendrel.2.1.bin"), and its bytes once the checks before writing have taken them.
struct PublishedImage {
    Q_DECLARE_TR_FUNCTIONS(PublishedImage)

public:
    QString fileName;
    ProductPtr product;
    QString version;
    // The day the file was last changed (UTC): when this version was made, as far as the file
    // tells.
    QDate date;
    // Exactly the bytes that were checked and hashed; the feed serves these.
    QByteArray bytes;
    QString sha256;
    QString notes;
    bool withdrawn = false;

    // Reads and checks the file; nothing, with the reason naming the file, when its name is not
    // a catalogue product's prefix, a version and the family's extension, or when the checks
    // before writing refuse it.
    static std::optional<PublishedImage> read(const QFileInfo& file,
                                              const ProductCatalogue& catalogue, QString* reason);

    // The product a file name belongs to, with the version it names; nothing with the reason
    // when it names none or more than one.
    static ProductPtr productFor(const QString& fileName, const ProductCatalogue& catalogue,
                                 QString* version, QString* reason);
};

} // namespace modflash::feed
