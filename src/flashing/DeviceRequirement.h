// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/UsbId.h"

#include <optional>
#include <string>
#include <vector>

namespace modflash {

class Preferences;
class ProgrammerList;

// The USB device an update of a product talks to: the AVR programmer chosen in the
// preferences, the STM32 DFU boot loader, or the ST-Link probe chosen in the preferences.
// Says in one line whether that device is among the connected ones and, if not, what to check.
// It only informs: an update may still be started without it.
class DeviceRequirement {
public:
    // The entry of a programmer list the preferences choose; preferenceWord names it in the
    // advice ("programmer", "probe").
    static DeviceRequirement forChoice(const ProgrammerList& list, const Preferences& preferences,
                                       const std::string& preferenceWord);
    static DeviceRequirement forDfuBootLoader(UsbId id);

    // "USBtiny programmer", "DFU boot loader", "ST-Link v2 probe".
    const std::string& deviceName() const { return m_deviceName; }
    // Any of these ids is the device; empty when the device cannot be recognised (an AVR
    // programmer modflash does not know).
    const std::vector<UsbId>& ids() const { return m_ids; }

    bool canCheck() const { return !m_ids.empty(); }
    bool isMetBy(const std::vector<UsbId>& present) const;
    // The id of the device that meets this requirement, when one is present.
    std::optional<UsbId> presentId(const std::vector<UsbId>& present) const;
    // The device describes its memory (a DFU boot loader, in its interface's name).
    bool describesMemory() const { return m_describesMemory; }
    // The device leaves the bus once an update has written the module (a boot loader that
    // starts the new firmware).
    bool leavesAfterUpdate() const { return m_leavesAfterUpdate; }
    std::string message(const std::vector<UsbId>& present) const;
    // The device with this id is connected, but this user may not open it.
    std::string refusedMessage(UsbId id) const;
    // The device left after a successful update, as it should.
    std::string leftMessage() const;

private:
    // Another device of the same kind, and the preference value that would select it.
    struct Alternative {
        std::string deviceName;
        std::string choice;
        std::vector<UsbId> ids;
    };

    std::string m_deviceName;
    std::vector<UsbId> m_ids;
    std::string m_whatToCheck;
    std::string m_preferenceWord;
    std::vector<Alternative> m_alternatives;
    bool m_describesMemory = false;
    bool m_leavesAfterUpdate = false;
};

} // namespace modflash
