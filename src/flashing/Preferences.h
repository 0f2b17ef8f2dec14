// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace modflash {

namespace PreferenceKey {
inline constexpr const char* avrProgrammer = "avr-programmer";
inline constexpr const char* stlinkProgrammer = "stlink-programmer";
inline constexpr const char* enableFactoryFirmware = "enable-factory-firmware";
inline constexpr const char* massEraseBeforeProgramming = "mass-erase-before-programming";
inline constexpr const char* checkModuleBeforeWriting = "check-module-before-writing";
// A maker's test feed in place of the one built in: its manifest's URL and its name.
inline constexpr const char* feedUrl = "feed-url";
inline constexpr const char* feedName = "feed-name";
// Every key, by the kind of its value.
inline constexpr std::array textKeys{avrProgrammer, stlinkProgrammer, feedUrl, feedName};
inline constexpr std::array switchKeys{enableFactoryFirmware, massEraseBeforeProgramming,
                                       checkModuleBeforeWriting};
} // namespace PreferenceKey

// The user's preferences: a store behind registered defaults. Registered defaults live in
// memory only and are never written to the store, so the store holds a key only once the user
// has changed it. Readers get the stored value, else the registered default, else an empty
// text or false.
class Preferences {
public:
    using Value = std::variant<std::string, bool>;

    virtual ~Preferences() = default;

    void registerDefaults(const std::map<std::string, Value>& defaults);

    std::string stringForKey(const std::string& key) const;
    bool boolForKey(const std::string& key) const;

    void setString(const std::string& key, const std::string& value);
    void setBool(const std::string& key, bool value);

    bool hasStoredValue(const std::string& key) const { return storedValue(key).has_value(); }

    static std::string toString(const Value& value);
    static bool toBool(const Value& value);

protected:
    virtual std::optional<Value> storedValue(const std::string& key) const = 0;
    virtual void storeValue(const std::string& key, const Value& value) = 0;

private:
    std::optional<Value> lookup(const std::string& key) const;

    std::map<std::string, Value> m_defaults;
};

// A store that lives as long as the object: for tests, and for callers that must not persist.
class MemoryPreferences : public Preferences {
public:
    // Every key's value as the preferences give it now, apart from any later change.
    static MemoryPreferences snapshotOf(const Preferences& preferences);

    const std::map<std::string, Value>& stored() const { return m_values; }

protected:
    std::optional<Value> storedValue(const std::string& key) const override;
    void storeValue(const std::string& key, const Value& value) override;

private:
    std::map<std::string, Value> m_values;
};

} // namespace modflash
