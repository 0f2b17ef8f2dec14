#include "ResourceDirectory.h"

#include <system_error>

namespace fs = std::filesystem;

namespace modflash {

namespace {

std::string fileName(std::string_view name, std::string_view type)
{
    std::string result(name);
    if (!type.empty()) {
        result += '.';
        result += type;
    }
    return result;
}

bool existsFollowingLinks(const fs::path& path)
{
    std::error_code error;
    return fs::exists(path, error); // a dangling tool link counts as absent
}

} // namespace

ResourceDirectory::ResourceDirectory(fs::path root)
{
    std::error_code error;
    fs::path absolute = fs::absolute(root, error);
    m_path = (error ? root : absolute).lexically_normal().string();
    while (m_path.size() > 1 && m_path.back() == '/')
        m_path.pop_back();
}

fs::path ResourceDirectory::locateFor(const fs::path& executableDir)
{
    const fs::path beside = executableDir / "resources";
    if (fs::is_directory(beside))
        return beside;
    const fs::path installed = executableDir / ".." / "share" / "modflash";
    if (fs::is_directory(installed))
        return installed;
    return beside;
}

ResourceDirectory ResourceDirectory::forExecutable(const fs::path& executablePath)
{
    return ResourceDirectory(locateFor(executablePath.parent_path()));
}

std::string ResourceDirectory::expectedPath(std::string_view name, std::string_view type) const
{
    return (fs::path(m_path) / fileName(name, type)).string();
}

std::optional<std::string> ResourceDirectory::pathForResource(std::string_view name,
                                                              std::string_view type) const
{
    std::string path = expectedPath(name, type);
    if (name.empty() || !existsFollowingLinks(path))
        return std::nullopt;
    return path;
}

std::vector<std::string> ResourceDirectory::pathsForResourcesOfType(std::string_view type,
                                                                    std::string_view directory) const
{
    std::vector<std::string> paths;
    const std::string wanted = "." + std::string(type);
    std::error_code error;
    fs::directory_iterator it(fs::path(m_path) / directory, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::path& entry = it->path();
        // Only the last extension counts, compared exactly: "x.tar.bin" is a "bin".
        if (entry.extension() != wanted || entry.stem().empty())
            continue;
        std::error_code statError;
        if (!it->is_regular_file(statError))
            continue;
        paths.push_back(entry.string());
    }
    return paths;
}

std::optional<std::string> ResourceDirectory::instructionsPage(std::string_view pageName) const
{
    if (pageName.empty() || pageName.find('/') != std::string_view::npos)
        return std::nullopt;
    const fs::path page = fs::path(m_path) / "instructions" / fileName(pageName, "html");
    std::error_code error;
    if (!fs::is_regular_file(page, error))
        return std::nullopt;
    return page.string();
}

} // namespace modflash
