// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace modflash {

// How the flashing tool of an update ended: the one account from which the log's verdict, the
// window's banner and the command line's exit status are all derived.
struct ToolEnd {
    enum class Kind {
        Completed,   // the tool exited with status 0
        Failed,      // the tool exited with another status
        Crashed,     // a signal the user did not ask for ended the tool
        Stopped,     // the user stopped the tool before it finished
        CouldNotRun, // the command could not be built or the tool could not start
        Refused,     // the checks before writing refused the image, its download or the module
        Unreachable, // the image could not be downloaded: the server cannot be reached now
    };

    Kind kind = Kind::CouldNotRun;
    int exitStatus = 0; // Failed: the tool's status
    std::string
        reason; // CouldNotRun, Refused, a failed module check: why, as a person can act on it
    // Whether the tool that writes the image had started. A module check that failed or was
    // stopped ends the update with nothing written, and the log must not suggest otherwise.
    bool writeStarted = true;
    // Stopped while the image was being downloaded, before any tool started.
    bool downloading = false;
    // A failed module check: the reason in English, as the log gives it whatever the locale.
    std::string logReason{};

    // The exit status alone decides success: a tool that finished its work although Stop was
    // pressed has still written the image.
    static ToolEnd fromExit(bool exitedNormally, int exitStatus, bool stopRequested);
    static ToolEnd couldNotRun(std::string reason);
    static ToolEnd refused(std::string reason);
    static ToolEnd unreachable(std::string reason);
    // The check of the module could not read it: a failure, though nothing was written.
    static ToolEnd moduleCheckFailed(int exitStatus, std::string reason, std::string logReason);
    // Stop was pressed while the module was being checked.
    static ToolEnd stoppedBeforeWriting();
    static ToolEnd stoppedWhileDownloading();

    bool succeeded() const { return kind == Kind::Completed; }
    // The tool started; whatever it printed tells more.
    bool toolRan() const {
        return kind != Kind::CouldNotRun && kind != Kind::Refused && kind != Kind::Unreachable;
    }

    bool operator==(const ToolEnd&) const = default;
};

} // namespace modflash
