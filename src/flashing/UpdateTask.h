// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <vector>

namespace modflash {

// A flashing command as a plain value: what to run, with which argument vector (handed to the
// program element by element, never through a shell) and with which environment (the child's
// whole environment: nothing of the caller's is passed on). Nothing is started by making one.
struct UpdateTask {
    std::string launchPath;
    std::vector<std::string> arguments;
    std::map<std::string, std::string> environment;

    // The command as the log shows it: launch path and arguments joined by single spaces,
    // unquoted. For display only; never parsed or run.
    std::string commandLine() const;

    bool operator==(const UpdateTask&) const = default;
};

} // namespace modflash
