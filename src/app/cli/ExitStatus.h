// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace modflash::cli {

// The exit statuses modflash-cli documents in its --help. 64 is the conventional status for a
// command line that was typed wrong (EX_USAGE in sysexits.h), so scripts can tell a typo from a
// command that cannot be built.
namespace ExitStatus {
inline constexpr int success = 0;
inline constexpr int cannotBuild = 1;
// update: the tool ran and failed; the update could not run at all.
inline constexpr int toolFailed = 1;
inline constexpr int couldNotRun = 2;
inline constexpr int usage = 64;
// The checks before writing refused the image or the module; nothing was written.
inline constexpr int refused = 65;
// The feed or a feed image cannot be reached now: network, HTTP status, time (EX_UNAVAILABLE).
inline constexpr int unavailable = 69;
// update: another update of this user is running (EX_TEMPFAIL: try again later).
inline constexpr int busy = 75;
} // namespace ExitStatus

} // namespace modflash::cli
