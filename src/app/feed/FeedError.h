// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <sysexits.h>

namespace modflash::feedtool {

// Ends modflash-feed: the reason, for standard error, and the exit status (sysexits.h, as
// modflash-cli's: EX_USAGE for a command line typed wrong, EX_DATAERR for images or a manifest
// refused, EX_NOINPUT for a file that cannot be read, EX_CANTCREAT for one that cannot be
// written).
struct FeedError {
    int status = EX_SOFTWARE;
    QString reason;
};

} // namespace modflash::feedtool
