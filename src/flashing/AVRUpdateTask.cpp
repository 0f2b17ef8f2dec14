// The avrdude command of AVRProduct.
#include "AVRProduct.h"

#include "Preferences.h"
#include "ResourceDirectory.h"
#include "ToolEnvironment.h"

#include <array>
#include <optional>

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

std::vector<std::string> AVRProduct::avrProgrammers() {
    return {"usbtiny", "avrisp2", "usbasp"};
}

UpdateTask AVRProduct::createUpdateTask(const Firmware& firmware,
                                        const ResourceDirectory& resources,
                                        const Preferences& preferences) const {
    UpdateTask task = Product::createUpdateTask(firmware, resources, preferences);
    task.launchPath = executableResource(resources, "avrdude");
    const std::string conf = requiredResource(
        resources, "avrdude's configuration file (avrdude.conf)", "avrdude", "conf");
    std::string programmer = preferences.stringForKey(PreferenceKey::avrProgrammer);
    // A bare "-c" would make avrdude take the next element, "-Pusb", as the programmer id.
    if (programmer.empty())
        programmer = avrProgrammers().front();

    // No product carries a chip outside the table; writing fuses meant for another chip could
    // brick one, so such a product gets no command at all rather than a guess.
    if (cpu() < 0 || static_cast<std::size_t>(cpu()) >= chips.size())
        throw std::out_of_range("no AVR chip is known for index " + std::to_string(cpu()) +
                                " of product \"" + title() + "\"");
    const Chip& chip = chips[static_cast<std::size_t>(cpu())];

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

} // namespace modflash
