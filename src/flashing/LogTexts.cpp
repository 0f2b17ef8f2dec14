// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/LogTexts.h"

#include "flashing/UpdateTask.h"

namespace modflash::LogTexts {

std::string updateHeader(const std::string& title, const UpdateTask& task) {
    return "\nUpdating " + title + " firmware with command:\n" + task.commandLine() + "\n";
}

std::string moduleCheckFailed(const std::string& reason) {
    return "\nIMPORTANT\nNOTE: The module check failed, so nothing was written to the module:\n"
           "      " +
           reason + "\n\n";
}

std::string imageChecked(const std::string& path) {
    return "\nImage checked: " + path +
           "\nThe tool writes a private copy of exactly the checked bytes.\n";
}

} // namespace modflash::LogTexts
