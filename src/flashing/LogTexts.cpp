// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/LogTexts.h"

#include "flashing/UpdateTask.h"
#include "flashing/Wording.h"

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

std::string downloading(const std::string& url) {
    return "\nDownloading firmware:\n" + url + "\n";
}

std::string downloadVerified(std::uint64_t size, const std::string& sha256) {
    return "Verified: " + Wording::english().bytes(size) + ", SHA-256 " + sha256 + "\n";
}

} // namespace modflash::LogTexts
