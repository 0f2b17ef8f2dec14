// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModuleFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vbench {

ModuleFile::ModuleFile(StateDirectory directory, std::string name)
    : m_directory(std::move(directory))
    , m_name(std::move(name)) {}

bool ModuleFile::isPlugged() const {
    return access(path().c_str(), F_OK) == 0;
}

std::optional<std::string> ModuleFile::plugging() const {
    struct stat status {};
    if (stat(path().c_str(), &status) != 0)
        return std::nullopt;
    // The change time moves with every write and rename, and tells a new file that reuses
    // the inode of a removed one from it.
    return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino) + ":" +
           std::to_string(status.st_ctim.tv_sec) + "." + std::to_string(status.st_ctim.tv_nsec);
}

std::string ModuleFile::read() const {
    std::ifstream in(path());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void ModuleFile::unplug() const {
    const std::string from = path();
    const std::string to = from + unpluggedSuffix;
    if (std::rename(from.c_str(), to.c_str()) != 0 && isPlugged())
        m_directory.report(m_name + ": could not move " + from + " aside to unplug the module");
}

} // namespace vbench
