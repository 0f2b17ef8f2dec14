// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/UsbId.h"

#include <string>
#include <string_view>
#include <vector>

namespace modflash {

class Preferences;

// One device a person can choose in the preferences to reach a module: an AVR programmer or an
// ST-Link probe, with everything modflash knows about it.
struct Programmer {
    std::string name;       // the preference value and the entry of the pop-up
    std::string toolChoice; // what the flashing tool is given: avrdude's -c id, openocd's script
    std::string deviceName; // as a person reads it: "USBtiny programmer"
    std::string article;    // "a" or "an", for "but a USBtiny programmer is connected"
    std::vector<UsbId> ids;
    std::vector<std::string> shortNames; // also accepted on the command line: "v2"
};

// The choices of one preference, the first being its registered default.
class ProgrammerList {
public:
    // An unknown stored name either goes to the tool as it is (avrdude knows more programmers
    // than modflash offers) or falls back to the default (only the exact titles select a probe).
    enum class Unknown { PassedOn, Default };

    ProgrammerList(const char* preferenceKey, std::vector<Programmer> choices, Unknown unknown);

    const char* preferenceKey() const { return m_preferenceKey; }
    const std::vector<Programmer>& choices() const { return m_choices; }
    std::vector<std::string> names() const;
    const Programmer& defaultChoice() const { return m_choices.front(); }

    // The entry with exactly this name (letter case and spacing count), or null.
    const Programmer* find(std::string_view name) const;
    // A name or short name typed on the command line, ignoring letter case; null when none fits.
    const Programmer* findTyped(std::string_view typed) const;

    // What the preference says now: the stored name, the default when nothing (or an empty
    // text) is stored, and the default for an unknown name where unknown names fall back.
    std::string chosenName(const Preferences& preferences) const;
    // The entry the preference selects; null for a name passed on unknown.
    const Programmer* chosen(const Preferences& preferences) const;

private:
    const char* m_preferenceKey;
    std::vector<Programmer> m_choices;
    Unknown m_unknown;
};

// The AVR programmers avrdude drives ("avr-programmer").
const ProgrammerList& avrProgrammerList();
// The ST-Link probes openocd drives ("stlink-programmer").
const ProgrammerList& stlinkProbeList();

// Registers the defaults both front ends start with, held in memory only: the first entry of
// each list, and the module check on.
void registerPreferenceDefaults(Preferences& preferences);

} // namespace modflash
