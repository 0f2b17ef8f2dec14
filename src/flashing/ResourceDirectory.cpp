// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/ResourceDirectory.h"

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace modflash {

namespace {

std::string fileName(std::string_view name, std::string_view type) {
    std::string result(name);
    if (!type.empty()) {
        result += '.';
        result += type;
    }
    return result;
}

bool existsFollowingLinks(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error); // a dangling tool link counts as absent
}

} // namespace

ResourceDirectory::ResourceDirectory(fs::path root) {
    std::error_code error;
    fs::path absolute = fs::absolute(root, error);
    m_path = (error ? root : absolute).lexically_normal().string();
    while (m_path.size() > 1 && m_path.back() == '/')
        m_path.pop_back();
}

fs::path ResourceDirectory::locateFor(const fs::path& executableDir) {
    const fs::path beside = executableDir / "resources";
    if (fs::is_directory(beside))
        return beside;
    const fs::path installed = executableDir / ".." / "share" / "modflash";
    if (fs::is_directory(installed))
        return installed;
    return beside;
}

ResourceDirectory ResourceDirectory::forExecutable(const fs::path& executablePath) {
    return ResourceDirectory(locateFor(executablePath.parent_path()));
}

std::string ResourceDirectory::expectedPath(std::string_view name, std::string_view type) const {
    return (fs::path(m_path) / fileName(name, type)).string();
}

std::optional<std::string> ResourceDirectory::pathForResource(std::string_view name,
                                                              std::string_view type) const {
    std::string path = expectedPath(name, type);
    if (name.empty() || !existsFollowingLinks(path))
        return std::nullopt;
    return path;
}

// Listings read the directory afresh every time and a firmware directory may hold thousands of
// files, so each entry costs only string comparisons on the name the directory already gave;
// the file's type comes from the directory entry too, and only links need a stat.
template <typename Found>
void ResourceDirectory::forEachResourceOfType(std::string_view type, std::string_view directory,
                                              std::string_view namePrefix, Found found) const {
    std::error_code error;
    fs::directory_iterator it(fs::path(m_path) / directory, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string& path = it->path().native();
        const std::string_view name = std::string_view(path).substr(path.rfind('/') + 1);
        if (!name.starts_with(namePrefix) || !nameHasType(name, type))
            continue;
        std::error_code statError;
        if (!it->is_regular_file(statError))
            continue;
        if (!found(path))
            return;
    }
}

bool ResourceDirectory::nameHasType(std::string_view name, std::string_view type) {
    // Only the last extension counts, compared exactly: "x.tar.bin" is a "bin", and a type that
    // itself holds a full stop can never be a last extension. A name that is all extension
    // (".bin") is a hidden file without one.
    if (type.find('.') != std::string_view::npos || name.size() <= type.size() + 1)
        return false;
    return name.ends_with(type) && name[name.size() - type.size() - 1] == '.';
}

std::vector<std::string>
ResourceDirectory::pathsForResourcesOfType(std::string_view type,
                                           std::string_view directory) const {
    return pathsForResourcesOfType(type, directory, {});
}

std::vector<std::string>
ResourceDirectory::pathsForResourcesOfType(std::string_view type, std::string_view directory,
                                           std::string_view namePrefix) const {
    std::vector<std::string> paths;
    forEachResourceOfType(type, directory, namePrefix, [&paths](const std::string& path) {
        paths.push_back(path);
        return true;
    });
    return paths;
}

std::set<std::string> ResourceDirectory::sampleImageNames() const {
    std::set<std::string> names;
    std::ifstream list(fs::path(m_path) / "firmware" / "samples.txt");
    for (std::string line; std::getline(list, line);)
        if (!line.empty() && line.front() != '#')
            names.insert(line);
    return names;
}

std::optional<std::string> ResourceDirectory::instructionsPage(std::string_view pageName) const {
    if (pageName.empty() || pageName.find('/') != std::string_view::npos)
        return std::nullopt;
    const fs::path page = fs::path(m_path) / "instructions" / fileName(pageName, "html");
    std::error_code error;
    if (!fs::is_regular_file(page, error))
        return std::nullopt;
    return page.string();
}

} // namespace modflash
