// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace modflash::testing {

// A resource directory of its own for one test, removed again when the test ends.
class TemporaryResources {
public:
    TemporaryResources() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "modflash-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary directory from " + pattern);
        m_root = pattern;
    }
    ~TemporaryResources() { std::filesystem::remove_all(m_root, m_ignored); }
    TemporaryResources(const TemporaryResources&) = delete;
    TemporaryResources& operator=(const TemporaryResources&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    // Creates the file or directory (and those above it) below the root; returns its path.
    std::string addFile(const std::filesystem::path& relative, const std::string& content = "x") {
        std::filesystem::create_directories((m_root / relative).parent_path());
        std::ofstream(m_root / relative, std::ios::binary) << content;
        return (m_root / relative).string();
    }
    std::string addFirmware(const std::string& name) { return addFile("firmware/" + name); }
    std::string addDirectory(const std::filesystem::path& relative) {
        std::filesystem::create_directories(m_root / relative);
        return (m_root / relative).string();
    }

private:
    std::filesystem::path m_root;
    std::error_code m_ignored;
};

} // namespace modflash::testing
