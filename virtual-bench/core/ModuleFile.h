// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StateDirectory.h"

#include <optional>
#include <string>

namespace vbench {

// The file of one module in the state directory. While it is there the module is plugged in;
// renaming it away pulls the cable, and the module does the same to itself when it leaves the
// bus (a boot loader starting the application, an unplugging set up by the test). Writing
// the file, or putting it back, plugs the module in anew.
class ModuleFile {
public:
    static constexpr const char* unpluggedSuffix = ".unplugged";

    ModuleFile(StateDirectory directory, std::string name);

    const std::string& name() const { return m_name; }
    const StateDirectory& directory() const { return m_directory; }
    std::string path() const { return m_directory.file(m_name); }

    bool isPlugged() const;
    // Tells one plugging from the next: a file put back, rewritten or replaced is a module
    // plugged in again. Empty while unplugged.
    std::optional<std::string> plugging() const;
    // The file's text; empty when it cannot be read.
    std::string read() const;
    // Moves the file to NAME.unplugged, replacing an earlier one.
    void unplug() const;

private:
    StateDirectory m_directory;
    std::string m_name;
};

} // namespace vbench
