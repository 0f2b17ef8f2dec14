#pragma once

#include "UsbId.h"

#include <optional>
#include <string>
#include <vector>

namespace modflash {

class Preferences;
class Product;

// The USB device an update of a product talks to: the AVR programmer chosen in the
// preferences, the STM32 DFU boot loader, or the ST-Link probe chosen in the preferences.
// Says in one line whether that device is among the connected ones and, if not, what to check.
// It only informs: an update may still be started without it.
class DeviceRequirement {
public:
    // Nothing for a product of no known family.
    static std::optional<DeviceRequirement> forProduct(const Product& product,
                                                       const Preferences& preferences);

    // "USBtiny programmer", "DFU boot loader", "ST-Link v2 probe".
    const std::string& deviceName() const { return m_deviceName; }
    // Any of these ids is the device; empty when the device cannot be recognised (an AVR
    // programmer modflash does not know).
    const std::vector<UsbId>& ids() const { return m_ids; }

    bool canCheck() const { return !m_ids.empty(); }
    bool isMetBy(const std::vector<UsbId>& present) const;
    std::string message(const std::vector<UsbId>& present) const;

private:
    // Another device of the same kind, and the preference value that would select it.
    struct Alternative {
        std::string deviceName;
        std::string choice;
        std::vector<UsbId> ids;
    };

    static DeviceRequirement forAvrProgrammer(const std::string& programmer);
    static DeviceRequirement forStlink(const std::string& probe);
    static DeviceRequirement forDfuBootLoader(UsbId id);

    std::string m_deviceName;
    std::vector<UsbId> m_ids;
    std::string m_whatToCheck;
    std::string m_preferenceName;
    std::vector<Alternative> m_alternatives;
};

} // namespace modflash
