// SPDX-License-Identifier: GPL-3.0-or-later
#include "StateDirectory.h"

#include <dlfcn.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <fstream>

namespace vbench {

StateDirectory::StateDirectory(std::string path)
    : m_path(std::move(path)) {}

StateDirectory StateDirectory::besideLibrary() {
    // Any object of this library tells the loader which file it came from.
    static const char anchor = 0;
    Dl_info info{};
    std::string library;
    if (dladdr(&anchor, &info) != 0 && info.dli_fname)
        library = info.dli_fname;
    // The loader reports the name it opened, relative when the library path was; the symbolic
    // links of a resource directory are kept, so the directory is the one the tool was given.
    if (library.empty() || library.front() != '/') {
        std::array<char, PATH_MAX> cwd{};
        if (getcwd(cwd.data(), cwd.size()))
            library = std::string(cwd.data()) + "/" + library;
    }
    const auto slash = library.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : library.substr(0, slash);
    return StateDirectory(directory + "/" + std::string(name));
}

std::string StateDirectory::file(std::string_view fileName) const {
    return m_path + "/" + std::string(fileName);
}

bool StateDirectory::exists() const {
    struct stat status {};
    return stat(m_path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

void StateDirectory::report(const std::string& problem) const {
    if (!exists())
        return;
    std::ofstream log(file("bench.log"), std::ios::app);
    log << problem << '\n';
}

} // namespace vbench
