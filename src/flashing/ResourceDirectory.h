// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace modflash {

// The application's read-only directory of firmware images, tools, their configuration and the
// instructions pages. Every lookup asks the file system afresh; nothing is cached.
class ResourceDirectory {
public:
    explicit ResourceDirectory(std::filesystem::path root);

    // The directory that belongs to an executable: "resources" beside it in the build tree, or
    // "../share/modflash" when installed. Falls back to the first when neither exists, so the
    // reason a later lookup fails names a real place to look.
    static ResourceDirectory forExecutable(const std::filesystem::path& executablePath);
    static std::filesystem::path locateFor(const std::filesystem::path& executableDir);

    // Absolute path of "name" (with ".type" appended when a type is given) at the top of the
    // directory, file or directory, or nothing when it does not exist.
    std::optional<std::string> pathForResource(std::string_view name,
                                               std::string_view type = {}) const;

    // Absolute paths of the regular files in sub-directory "directory" whose extension is
    // exactly "type"; unordered. Empty when the sub-directory does not exist.
    std::vector<std::string> pathsForResourcesOfType(std::string_view type,
                                                     std::string_view directory) const;
    // The same, limited to the files whose names begin with `namePrefix` (case-sensitively).
    std::vector<std::string> pathsForResourcesOfType(std::string_view type,
                                                     std::string_view directory,
                                                     std::string_view namePrefix) const;
    // Whether a file name has exactly the extension "type" as pathsForResourcesOfType takes it.
    static bool nameHasType(std::string_view name, std::string_view type);

    // The names of the firmware directory's sample images: the images a build brings for trying
    // modflash out, which would leave a real module doing nothing. They are listed one a line
    // in "firmware/samples.txt"; real firmware has no such list.
    std::set<std::string> sampleImageNames() const;

    // The HTML page "instructions/<pageName>.html", or nothing when there is no such page.
    std::optional<std::string> instructionsPage(std::string_view pageName) const;

    // Where a resource would be, whether or not it exists: used to say where a missing
    // resource was looked for.
    std::string expectedPath(std::string_view name, std::string_view type = {}) const;

    const std::string& resourcePath() const { return m_path; }

private:
    // Calls `found` with the path of each matching file until it returns false.
    template <typename Found>
    void forEachResourceOfType(std::string_view type, std::string_view directory,
                               std::string_view namePrefix, Found found) const;

    std::string m_path;
};

} // namespace modflash
