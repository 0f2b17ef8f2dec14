// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace modflash::feed {

// Why the feed or a download did not give what was asked: either it could not be reached
// (network, HTTP status, time) and trying again later may help, or what arrived is refused
// (signature, content, size, hash) and only its maker can mend it.
struct FeedFailure {
    enum class Kind { Unreachable, Refused };

    Kind kind = Kind::Unreachable;
    QString reason;

    static FeedFailure unreachable(QString reason) {
        return {Kind::Unreachable, std::move(reason)};
    }
    static FeedFailure refused(QString reason) { return {Kind::Refused, std::move(reason)}; }

    // The command line's status for it: 69 (unavailable) or 65 (bad data).
    int exitStatus() const;
};

} // namespace modflash::feed
