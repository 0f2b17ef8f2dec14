// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/FeedFailure.h"

#include <sysexits.h>

namespace modflash::feed {

int FeedFailure::exitStatus() const {
    return kind == Kind::Unreachable ? EX_UNAVAILABLE : EX_DATAERR;
}

} // namespace modflash::feed
