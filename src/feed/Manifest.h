// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/FeedRelease.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace modflash::feed {

// A feed manifest that has been verified and read: its releases per catalogue product, and
// what was left out of it and why.
struct Manifest {
    struct Product {
        // The catalogue product's title and prefix; the image extension is its family's.
        QString title;
        QString prefix;
        QString extension;
        std::vector<FeedRelease> releases;
    };

    QString feedName;
    quint64 serial = 0;
    QDateTime issued;
    QDateTime expires;
    std::vector<Product> products;
    // One line for each product or release left out.
    QStringList leftOut;
    // The key that signed it.
    QByteArray keyId;

    const Product* product(const QString& prefix) const {
        for (const Product& each : products)
            if (each.prefix == prefix)
                return &each;
        return nullptr;
    }
};

} // namespace modflash::feed
