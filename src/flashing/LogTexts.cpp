// SPDX-License-Identifier: GPL-3.0-or-later
#include "LogTexts.h"

#include "UpdateTask.h"

namespace modflash::LogTexts {

std::string updateHeader(const std::string& title, const UpdateTask& task) {
    return "\nUpdating " + title + " firmware with command:\n" + task.commandLine() + "\n";
}

} // namespace modflash::LogTexts
