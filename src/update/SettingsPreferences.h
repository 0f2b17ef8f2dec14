// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/Preferences.h"

#include <QSettings>

namespace modflash {

// The user's preferences in the per-user store both front ends share
// (organisation and application "modflash": ~/.config/modflash/modflash.conf on Linux).
class SettingsPreferences : public Preferences {
public:
    SettingsPreferences();
    // For a store at a chosen place (tests, a portable set-up).
    explicit SettingsPreferences(const QString& fileName);

    static constexpr const char* organisation = "modflash";
    static constexpr const char* application = "modflash";

    QString fileName() const { return m_settings.fileName(); }
    // Writes pending changes now; QSettings otherwise writes them from the event loop or at exit.
    void sync() { m_settings.sync(); }

protected:
    std::optional<Value> storedValue(const std::string& key) const override;
    void storeValue(const std::string& key, const Value& value) override;

private:
    mutable QSettings m_settings;
};

} // namespace modflash
