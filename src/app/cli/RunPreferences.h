// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cli/Request.h"
#include "flashing/Preferences.h"

namespace modflash::cli {

// The preferences one run of modflash-cli reads: the command-line overrides, then the user's
// stored preferences, then the registered defaults the window registers too. Nothing reaches
// the store: a value set through this object lives only as long as the run.
class RunPreferences : public Preferences {
public:
    // The stored preferences must have no registered defaults of their own (they would hide
    // whether a value is really stored); this object registers them.
    RunPreferences(const Preferences& stored, const RunOverrides& overrides);

protected:
    std::optional<Value> storedValue(const std::string& key) const override;
    void storeValue(const std::string& key, const Value& value) override;

private:
    void registerFrontEndDefaults();
    void applyOverrides(const RunOverrides& overrides);

    const Preferences& m_stored;
    std::map<std::string, Value> m_runValues;
};

} // namespace modflash::cli
