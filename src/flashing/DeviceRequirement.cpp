// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceRequirement.h"

#include "Programmers.h"

#include <algorithm>

namespace modflash {

namespace {

std::optional<UsbId> firstPresent(const std::vector<UsbId>& wanted,
                                  const std::vector<UsbId>& present) {
    for (const UsbId& id : present)
        if (std::find(wanted.begin(), wanted.end(), id) != wanted.end())
            return id;
    return std::nullopt;
}

} // namespace

DeviceRequirement DeviceRequirement::forChoice(const ProgrammerList& list,
                                               const Preferences& preferences,
                                               const std::string& preferenceWord) {
    DeviceRequirement requirement;
    requirement.m_preferenceWord = preferenceWord;
    requirement.m_whatToCheck =
        "connect it by USB, or choose the " + preferenceWord + " you use in the preferences";
    const Programmer* chosen = list.chosen(preferences);
    if (chosen) {
        requirement.m_deviceName = chosen->deviceName;
        requirement.m_ids = chosen->ids;
    } else {
        requirement.m_deviceName = preferenceWord + " \"" + list.chosenName(preferences) + "\"";
    }
    for (const Programmer& other : list.choices()) {
        if (&other != chosen)
            requirement.m_alternatives.push_back(
                {other.article + " " + other.deviceName, other.name, other.ids});
    }
    return requirement;
}

DeviceRequirement DeviceRequirement::forDfuBootLoader(UsbId id) {
    DeviceRequirement requirement;
    requirement.m_deviceName = "DFU boot loader";
    requirement.m_ids = {id};
    requirement.m_whatToCheck = "put the module into its boot loader mode as the instructions say";
    requirement.m_describesMemory = true;
    return requirement;
}

std::optional<UsbId> DeviceRequirement::presentId(const std::vector<UsbId>& present) const {
    return firstPresent(m_ids, present);
}

bool DeviceRequirement::isMetBy(const std::vector<UsbId>& present) const {
    return firstPresent(m_ids, present).has_value();
}

std::string DeviceRequirement::message(const std::vector<UsbId>& present) const {
    if (!canCheck())
        return "modflash does not know the USB id of the " + m_deviceName +
               ", so it cannot tell whether it is connected";
    if (const auto found = firstPresent(m_ids, present))
        return m_deviceName + " found (USB " + found->text() + ")";
    for (const Alternative& other : m_alternatives)
        if (firstPresent(other.ids, present))
            return "No " + m_deviceName + " found, but " + other.deviceName +
                   " is connected: choose \"" + other.choice + "\" as the " + m_preferenceWord +
                   " in the preferences";
    return "No " + m_deviceName + " found: " + m_whatToCheck;
}

} // namespace modflash
