#include "AvrdudeProfile.h"

#include "AvrdudeProgressParser.h"
#include "Firmware.h"
#include "LogTexts.h"
#include "Programmers.h"
#include "ToolEnvironment.h"

#include <array>
#include <stdexcept>

namespace modflash {

namespace {

struct Chip {
    const char* part;
    const char* highFuse;
    const char* lowFuse;
    const char* extendedFuse; // null: the chip has none
};

constexpr std::array<Chip, 5> chips{{
    {"atmega168", "0xDD", "0xFF", "0x00"},
    {"atmega328", "0xDA", "0xFF", "0x05"},
    {"attiny44", "0xDF", "0xFF", nullptr},
    {"attiny45", "0xDF", "0x62", "0xFF"},
    {"attiny85", "0xD7", "0xE2", "0xFF"},
}};

} // namespace

AvrdudeProfile::AvrdudeProfile()
    : FamilyProfile({"avr", "avrdude", "hex", {LogTexts::firstDfuNote, LogTexts::secondDfuNote}}) {}

const AvrdudeProfile& AvrdudeProfile::instance() {
    static const AvrdudeProfile profile;
    return profile;
}

UpdateTask AvrdudeProfile::command(std::int32_t cpu, const Firmware& firmware,
                                   const ResourceDirectory& resources,
                                   const Preferences& preferences) const {
    // Writing fuses meant for another chip could brick one, so a chip outside the table gets
    // no command at all rather than a guess.
    if (cpu < 0 || static_cast<std::size_t>(cpu) >= chips.size())
        throw std::out_of_range("no AVR chip is known for index " + std::to_string(cpu));
    const Chip& chip = chips[static_cast<std::size_t>(cpu)];

    UpdateTask task;
    task.launchPath = executableResource(resources, "avrdude");
    const std::string conf = requiredResource(
        resources, "avrdude's configuration file (avrdude.conf)", "avrdude", "conf");
    // avrdude knows more programmers than modflash offers: an unknown name is passed on.
    const std::string programmer = avrProgrammerList().chosenName(preferences);
    task.arguments = {
        "-C" + conf,
        "-F",
        "-c" + programmer,
        "-Pusb",
        std::string("-p") + chip.part,
        "-Uflash:w:" + firmware.path() + ":i",
        std::string("-Uhfuse:w:") + chip.highFuse + ":m",
        std::string("-Ulfuse:w:") + chip.lowFuse + ":m",
    };
    if (chip.extendedFuse)
        task.arguments.push_back(std::string("-Uefuse:w:") + chip.extendedFuse + ":m");
    task.environment = toolEnvironment(resources);
    return task;
}

DeviceRequirement AvrdudeProfile::requiredDevice(const Preferences& preferences) const {
    return DeviceRequirement::forChoice(avrProgrammerList(), preferences, "programmer");
}

std::unique_ptr<ProgressParser> AvrdudeProfile::progressParser() const {
    return std::make_unique<AvrdudeProgressParser>();
}

} // namespace modflash
