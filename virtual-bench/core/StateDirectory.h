// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace vbench {

// The directory that holds the emulated modules: one file per plugged module, the memories
// they keep between runs, and bench.log for the problems the emulation cannot show on the bus.
// The libraries find it beside themselves, because the tools they are loaded into get an
// environment that holds nothing but the library path.
class StateDirectory {
public:
    static constexpr std::string_view name = "virtual-bench";

    explicit StateDirectory(std::string path);

    // <directory of the shared object this code is linked into>/virtual-bench, absolute.
    static StateDirectory besideLibrary();

    const std::string& path() const { return m_path; }
    std::string file(std::string_view fileName) const;
    bool exists() const;

    // Notes a problem a person must fix (a module file that cannot be read, a memory file
    // that cannot be written) in bench.log, since the tool's output is no place for it.
    void report(const std::string& problem) const;

private:
    std::string m_path;
};

} // namespace vbench
