// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModuleSettings.h"

#include <charconv>
#include <sstream>

namespace vbench {

ModuleSettings::ModuleSettings(const std::string& text, const std::set<std::string>& known,
                               const std::string& source)
    : m_source(source) {
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (const auto hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::string key;
        if (!(words >> key))
            continue;
        std::string value;
        words >> value;
        std::string extra;
        if (words >> extra)
            throw Error(source + ", line " + std::to_string(number) + ": \"" + extra +
                        "\" follows the value of " + key);
        if (!known.count(key)) {
            std::string list;
            for (const auto& each : known)
                list += (list.empty() ? "" : ", ") + each;
            throw Error(source + ", line " + std::to_string(number) + ": unknown setting \"" + key +
                        "\" (known: " + list + ")");
        }
        m_values[key] = value;
    }
}

std::optional<std::string> ModuleSettings::text(const std::string& key) const {
    const auto it = m_values.find(key);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::uint64_t> ModuleSettings::number(const std::string& key) const {
    const auto value = text(key);
    if (!value)
        return std::nullopt;
    std::uint64_t result = 0;
    const char* end = value->data() + value->size();
    const auto [stop, error] = std::from_chars(value->data(), end, result);
    if (value->empty() || error != std::errc() || stop != end)
        throw Error(m_source + ": " + key + " needs a whole number, not \"" + *value + "\"");
    return result;
}

} // namespace vbench
