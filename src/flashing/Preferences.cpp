// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/Preferences.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace modflash {

void Preferences::registerDefaults(const std::map<std::string, Value>& defaults) {
    for (const auto& [key, value] : defaults)
        m_defaults[key] = value;
}

std::optional<Preferences::Value> Preferences::lookup(const std::string& key) const {
    if (auto value = storedValue(key))
        return value;
    if (auto it = m_defaults.find(key); it != m_defaults.end())
        return it->second;
    return std::nullopt;
}

std::string Preferences::stringForKey(const std::string& key) const {
    const auto value = lookup(key);
    return value ? toString(*value) : std::string();
}

bool Preferences::boolForKey(const std::string& key) const {
    const auto value = lookup(key);
    return value && toBool(*value);
}

void Preferences::setString(const std::string& key, const std::string& value) {
    storeValue(key, value);
}

void Preferences::setBool(const std::string& key, bool value) {
    storeValue(key, value);
}

std::string Preferences::toString(const Value& value) {
    if (const bool* flag = std::get_if<bool>(&value))
        return *flag ? "1" : "0";
    return std::get<std::string>(value);
}

bool Preferences::toBool(const Value& value) {
    if (const bool* flag = std::get_if<bool>(&value))
        return *flag;
    // Stores that keep only text (an INI file, say) hand booleans back as words or numbers.
    std::string text = std::get<std::string>(value);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (text == "true" || text == "yes")
        return true;
    return std::atoi(text.c_str()) != 0;
}

std::optional<Preferences::Value> MemoryPreferences::storedValue(const std::string& key) const {
    if (auto it = m_values.find(key); it != m_values.end())
        return it->second;
    return std::nullopt;
}

MemoryPreferences MemoryPreferences::snapshotOf(const Preferences& preferences) {
    MemoryPreferences snapshot;
    for (const char* key : PreferenceKey::textKeys)
        snapshot.setString(key, preferences.stringForKey(key));
    for (const char* key : PreferenceKey::switchKeys)
        snapshot.setBool(key, preferences.boolForKey(key));
    return snapshot;
}

void MemoryPreferences::storeValue(const std::string& key, const Value& value) {
    m_values[key] = value;
}

} // namespace modflash
