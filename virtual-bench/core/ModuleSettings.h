// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

namespace vbench {

// A module file's lines: "key value" or a bare "key" for a switch, "#" starts a comment.
// Unknown keys and malformed values are errors, so a typing mistake in a test does not quietly
// give a module that behaves as if the line were not there.
class ModuleSettings {
public:
    class Error : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // Reads the text; keys outside known are an error naming the line.
    ModuleSettings(const std::string& text, const std::set<std::string>& known,
                   const std::string& source);

    std::optional<std::string> text(const std::string& key) const;
    bool has(const std::string& key) const { return m_values.count(key) != 0; }
    std::optional<std::uint64_t> number(const std::string& key) const;

private:
    std::string m_source;
    std::map<std::string, std::string> m_values;
};

} // namespace vbench
