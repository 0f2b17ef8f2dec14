// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace modflash::bench {

// A throw-away resource directory for one benchmark: the staged resources, except that
// "avrdude" runs a stand-in tool and the firmware directory holds what the benchmark asks for.
// Removed again when the object goes.
class BenchResources {
public:
    explicit BenchResources(const std::filesystem::path& staged);
    ~BenchResources();

    BenchResources(const BenchResources&) = delete;
    BenchResources& operator=(const BenchResources&) = delete;

    // "avrdude" becomes a script that runs this command, whatever arguments it is given. The
    // benchmarks measure the write itself: run updates without the module check.
    void setTool(const std::vector<std::string>& command);
    // Empty image files: `count` names spread over every product's prefix and extension, with
    // one in thirty foreign (other prefixes, other extensions, backups).
    void addImages(int count);

    const std::filesystem::path& path() const { return m_root; }
    std::filesystem::path toolScript() const { return m_root / "avrdude"; }
    // The AVR product whose one image, version "1.0", the update benchmarks write.
    static const char* productTitle() { return "Parvonne (rev009 or Higher)"; }
    static const char* version() { return "1.0"; }

private:
    void linkStaged(const std::filesystem::path& staged);

    std::filesystem::path m_root;
};

} // namespace modflash::bench
