// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/ToolEnd.h"

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

ToolEnd ToolEnd::unreachable(std::string reason) {
    return {Kind::Unreachable, 0, std::move(reason)};
}

ToolEnd ToolEnd::moduleCheckFailed(int exitStatus, std::string reason, std::string logReason) {
    // A status of 0 would read as success to whoever looks only at the status.
    return {Kind::Failed, exitStatus ? exitStatus : 1, std::move(reason), false,
            false,        std::move(logReason)};
}

ToolEnd ToolEnd::stoppedBeforeWriting() {
    return {Kind::Stopped, 0, {}, false};
}

ToolEnd ToolEnd::stoppedWhileDownloading() {
    return {Kind::Stopped, 0, {}, false, true};
}

} // namespace modflash
