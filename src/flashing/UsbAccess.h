// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/UsbId.h"

#include <optional>
#include <string>
#include <vector>

namespace modflash {

class DeviceRequirement;

// What a person does when a tool may not open the USB device it needs. Linux gives access to a
// USB device through udev rules: where one on this computer names the device (the avrdude,
// dfu-util and openocd packages of Debian and Ubuntu bring them, for the user at the computer),
// the device only needs plugging in again; elsewhere a rule has to be added and udev reloaded.
class UsbAccess {
public:
    // Where udev reads its rules, those of the administrator first.
    static std::vector<std::string> systemRuleDirectories();

    explicit UsbAccess(std::vector<std::string> ruleDirectories = systemRuleDirectories());

    // A rule that gives access to the device: to whoever sits at the computer (udev's uaccess
    // tag, or a node everyone may write), or to the members of a group.
    struct Grant {
        std::string file;
        std::string group; // empty when the user at the computer has access
    };
    // The first rule that gives the user at the computer access to one of the ids, else the
    // first that gives a group access.
    std::optional<Grant> grantingRule(const std::vector<UsbId>& ids) const;

    // The rule line for the ids: access for the user at the computer and the plugdev group.
    static std::string ruleFor(const std::vector<UsbId>& ids);

    // Says that this user may not open the device, and what to do about it on this computer.
    std::string advice(const std::string& deviceName, const std::vector<UsbId>& ids) const;
    // The same for the device an update needs; without one, for any USB device.
    std::string advice(const std::optional<DeviceRequirement>& device) const;

private:
    std::vector<std::string> m_directories;
};

} // namespace modflash
