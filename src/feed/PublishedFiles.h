// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/Manifest.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace modflash::feed {

// Compares the images a manifest offers under its own location with the files beside it on
// disk, as a download would check them: what a maker checks before uploading the directory.
class PublishedFiles {
    Q_DECLARE_TR_FUNCTIONS(PublishedFiles)

public:
    struct Finding {
        int matching = 0;
        // Offered elsewhere (an absolute URL to another place), so not beside the manifest.
        int elsewhere = 0;
        // One line for each image that is missing or differs from what the manifest says.
        QStringList problems;
    };

    // manifestUrl: the URL the manifest was read as, against which its relative URLs were
    // resolved; manifestDirectory: where it lies on disk. Withdrawn releases are not served.
    static Finding check(const Manifest& manifest, const QUrl& manifestUrl,
                         const QString& manifestDirectory);
};

} // namespace modflash::feed
