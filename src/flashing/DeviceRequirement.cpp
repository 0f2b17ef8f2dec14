// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/DeviceRequirement.h"

#include "flashing/Programmers.h"
#include "flashing/TextLookup.h"

#include <algorithm>

namespace modflash {

namespace {

std::string tr(const char* text) {
    return translated("modflash::DeviceRequirement", text);
}

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
    requirement.m_preferenceWord =
        translated("modflash::DeviceRequirement", preferenceWord.c_str());
    requirement.m_whatToCheck =
        substituted(tr("connect it by USB, or choose the %1 you use in the preferences"),
                    {requirement.m_preferenceWord});
    const Programmer* chosen = list.chosen(preferences);
    if (chosen) {
        requirement.m_deviceName = translated("modflash::Programmers", chosen->deviceName.c_str());
        requirement.m_ids = chosen->ids;
    } else {
        requirement.m_deviceName = substituted(
            tr("%1 \"%2\""), {requirement.m_preferenceWord, list.chosenName(preferences)});
    }
    for (const Programmer& other : list.choices()) {
        if (&other == chosen)
            continue;
        const std::string name = translated("modflash::Programmers", other.deviceName.c_str());
        requirement.m_alternatives.push_back(
            {substituted(other.article == "an" ? tr("an %1") : tr("a %1"), {name}), other.name,
             other.ids});
    }
    return requirement;
}

DeviceRequirement DeviceRequirement::forDfuBootLoader(UsbId id) {
    DeviceRequirement requirement;
    requirement.m_deviceName = tr("DFU boot loader");
    requirement.m_ids = {id};
    requirement.m_whatToCheck =
        tr("put the module into its boot loader mode as the instructions say");
    requirement.m_describesMemory = true;
    // The update asks it to leave DFU mode and start the image it wrote.
    requirement.m_leavesAfterUpdate = true;
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
        return substituted(tr("modflash does not know the USB id of the %1, so it cannot tell "
                              "whether it is connected"),
                           {m_deviceName});
    if (const auto found = firstPresent(m_ids, present))
        return substituted(tr("%1 found (USB %2)"), {m_deviceName, found->text()});
    for (const Alternative& other : m_alternatives)
        if (firstPresent(other.ids, present))
            return substituted(tr("No %1 found, but %2 is connected: choose \"%3\" as the %4 in "
                                  "the preferences"),
                               {m_deviceName, other.deviceName, other.choice, m_preferenceWord});
    return substituted(tr("No %1 found: %2"), {m_deviceName, m_whatToCheck});
}

std::string DeviceRequirement::refusedMessage(UsbId id) const {
    return substituted(tr("%1 found, but this user may not open it (USB %2)"),
                       {m_deviceName, id.text()});
}

std::string DeviceRequirement::leftMessage() const {
    return substituted(tr("The module left its %1 after the update, as it should"), {m_deviceName});
}

} // namespace modflash
