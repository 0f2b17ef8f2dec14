// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/RunPreferences.h"

#include "flashing/Programmers.h"

namespace modflash::cli {

RunPreferences::RunPreferences(const Preferences& stored, const RunOverrides& overrides)
    : m_stored(stored) {
    registerFrontEndDefaults();
    applyOverrides(overrides);
}

void RunPreferences::registerFrontEndDefaults() {
    registerPreferenceDefaults(*this);
}

void RunPreferences::applyOverrides(const RunOverrides& overrides) {
    if (overrides.avrProgrammer)
        m_runValues[PreferenceKey::avrProgrammer] = *overrides.avrProgrammer;
    if (overrides.stlinkProgrammer)
        m_runValues[PreferenceKey::stlinkProgrammer] = *overrides.stlinkProgrammer;
    if (overrides.factoryFirmware)
        m_runValues[PreferenceKey::enableFactoryFirmware] = *overrides.factoryFirmware;
    if (overrides.massErase)
        m_runValues[PreferenceKey::massEraseBeforeProgramming] = *overrides.massErase;
    if (overrides.moduleCheck)
        m_runValues[PreferenceKey::checkModuleBeforeWriting] = *overrides.moduleCheck;
}

std::optional<Preferences::Value> RunPreferences::storedValue(const std::string& key) const {
    if (auto it = m_runValues.find(key); it != m_runValues.end())
        return it->second;
    if (!m_stored.hasStoredValue(key))
        return std::nullopt;
    // The stored value as text: a stored boolean comes back as "1" or "0", which reads back as
    // the same boolean, just as a store that keeps only text hands booleans over.
    return m_stored.stringForKey(key);
}

void RunPreferences::storeValue(const std::string& key, const Value& value) {
    m_runValues[key] = value;
}

} // namespace modflash::cli
