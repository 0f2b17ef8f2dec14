// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolEnd.h"

namespace modflash {

ToolEnd ToolEnd::fromExit(bool exitedNormally, int exitStatus, bool stopRequested) {
    if (exitedNormally && exitStatus == 0)
        return {Kind::Completed, 0, {}};
    if (stopRequested)
        return {Kind::Stopped, exitedNormally ? exitStatus : 0, {}};
    if (!exitedNormally)
        return {Kind::Crashed, 0, {}};
    return {Kind::Failed, exitStatus, {}};
}

ToolEnd ToolEnd::couldNotRun(std::string reason) {
    return {Kind::CouldNotRun, 0, std::move(reason)};
}

ToolEnd ToolEnd::refused(std::string reason) {
    return {Kind::Refused, 0, std::move(reason)};
}

} // namespace modflash
