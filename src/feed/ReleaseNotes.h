// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace modflash::feed {

// The notes of a release as a maker writes them: a plain UTF-8 text file of at most 8 KiB.
class ReleaseNotes {
    Q_DECLARE_TR_FUNCTIONS(ReleaseNotes)

public:
    // The notes file of an image: its file name with ".txt" added ("Wendrel.2.1.bin.txt").
    static QString fileNameFor(const QString& imageFileName);

    // The file's text as the feed carries it: line ends as LF, without a byte order mark or
    // blank lines at the end. Nothing, with the reason naming the file, when it cannot be read
    // or is not plain UTF-8 text of at most 8 KiB.
    static std::optional<QString> read(const QString& path, QString* reason);
};

} // namespace modflash::feed
