// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/Programmers.h"

#include "flashing/Preferences.h"
#include "flashing/TextLookup.h"

#include <algorithm>

namespace modflash {

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

} // namespace

ProgrammerList::ProgrammerList(const char* preferenceKey, std::vector<Programmer> choices,
                               Unknown unknown)
    : m_preferenceKey(preferenceKey)
    , m_choices(std::move(choices))
    , m_unknown(unknown) {}

std::vector<std::string> ProgrammerList::names() const {
    std::vector<std::string> names;
    for (const Programmer& choice : m_choices)
        names.push_back(choice.name);
    return names;
}

const Programmer* ProgrammerList::find(std::string_view name) const {
    for (const Programmer& choice : m_choices)
        if (choice.name == name)
            return &choice;
    return nullptr;
}

const Programmer* ProgrammerList::findTyped(std::string_view typed) const {
    for (const Programmer& choice : m_choices) {
        if (equalIgnoringCase(choice.name, typed))
            return &choice;
        for (const std::string& shortName : choice.shortNames)
            if (equalIgnoringCase(shortName, typed))
                return &choice;
    }
    return nullptr;
}

std::string ProgrammerList::chosenName(const Preferences& preferences) const {
    const std::string stored = preferences.stringForKey(m_preferenceKey);
    // An empty name would reach the tool as a bare option that swallows the next argument.
    if (stored.empty())
        return defaultChoice().name;
    if (!find(stored) && m_unknown == Unknown::Default)
        return defaultChoice().name;
    return stored;
}

const Programmer* ProgrammerList::chosen(const Preferences& preferences) const {
    return find(chosenName(preferences));
}

const ProgrammerList& avrProgrammerList() {
    static const ProgrammerList list(
        PreferenceKey::avrProgrammer,
        {
            {"usbtiny",
             "usbtiny",
             MODFLASH_TRANSLATABLE("modflash::Programmers", "USBtiny programmer"),
             "a",
             {{0x1781, 0x0c9f}},
             {}},
            {"avrisp2",
             "avrisp2",
             MODFLASH_TRANSLATABLE("modflash::Programmers", "AVRISP mkII programmer"),
             "an",
             {{0x03eb, 0x2104}},
             {}},
            {"usbasp",
             "usbasp",
             MODFLASH_TRANSLATABLE("modflash::Programmers", "USBasp programmer"),
             "a",
             {{0x16c0, 0x05dc}},
             {}},
        },
        ProgrammerList::Unknown::PassedOn);
    return list;
}

const ProgrammerList& stlinkProbeList() {
    static const ProgrammerList list(
        PreferenceKey::stlinkProgrammer,
        {
            {"ST-Link v2",
             "interface/stlink-v2.cfg",
             MODFLASH_TRANSLATABLE("modflash::Programmers", "ST-Link v2 probe"),
             "an",
             {{0x0483, 0x3748}},
             {"v2"}},
            {"ST-Link v2-1",
             "interface/stlink-v2-1.cfg",
             MODFLASH_TRANSLATABLE("modflash::Programmers", "ST-Link v2-1 probe"),
             "an",
             {{0x0483, 0x374b}, {0x0483, 0x3752}},
             {"v2-1"}},
        },
        ProgrammerList::Unknown::Default);
    return list;
}

void registerPreferenceDefaults(Preferences& preferences) {
    preferences.registerDefaults({
        {PreferenceKey::avrProgrammer, avrProgrammerList().defaultChoice().name},
        {PreferenceKey::stlinkProgrammer, stlinkProbeList().defaultChoice().name},
        {PreferenceKey::checkModuleBeforeWriting, true},
    });
}

} // namespace modflash
