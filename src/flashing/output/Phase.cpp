// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/output/Phase.h"

#include "flashing/TextLookup.h"

#include <array>

namespace modflash {

namespace {

struct PhaseWords {
    Phase phase;
    const char* alone;
    // With the memory the tool names as %1; null where no tool names one.
    const char* ofMemory;
    // Its own where one English word stands for two phases.
    const char* context = "modflash::Phase";
};

constexpr std::array phaseWords{
    PhaseWords{Phase::Starting, MODFLASH_TRANSLATABLE("modflash::Phase", "Starting"), nullptr},
    PhaseWords{Phase::Connecting, MODFLASH_TRANSLATABLE("modflash::Phase", "Connecting"), nullptr},
    PhaseWords{Phase::Erasing, MODFLASH_TRANSLATABLE("modflash::Phase", "Erasing"), nullptr},
    PhaseWords{Phase::MassErasing, MODFLASH_TRANSLATABLE("modflash::Phase", "Mass erasing"),
               nullptr},
    PhaseWords{Phase::ErasingAndWriting,
               MODFLASH_TRANSLATABLE("modflash::Phase", "Erasing and writing"), nullptr},
    PhaseWords{Phase::Writing, MODFLASH_TRANSLATABLE("modflash::Phase", "Writing"),
               MODFLASH_TRANSLATABLE("modflash::Phase", "Writing %1")},
    PhaseWords{Phase::Reading, MODFLASH_TRANSLATABLE("modflash::Phase", "Reading"),
               MODFLASH_TRANSLATABLE("modflash::Phase", "Reading %1")},
    PhaseWords{Phase::Verifying, MODFLASH_TRANSLATABLE("modflash::Phase", "Verifying"),
               MODFLASH_TRANSLATABLE("modflash::Phase", "Verifying %1")},
    PhaseWords{Phase::Downloading, MODFLASH_TRANSLATABLE("modflash::Phase", "Downloading"),
               nullptr},
    // English keeps dfu-util's own word, as its bar shows it; a translation says what happens.
    PhaseWords{Phase::DownloadingToModule,
               MODFLASH_TRANSLATABLE("modflash::Phase::ToModule", "Downloading"), nullptr,
               "modflash::Phase::ToModule"},
};

} // namespace

std::string phaseText(Phase phase, const std::string& memory) {
    for (const PhaseWords& words : phaseWords) {
        if (words.phase != phase)
            continue;
        if (memory.empty() || !words.ofMemory)
            return translated(words.context, words.alone);
        return substituted(translated(words.context, words.ofMemory), {memory});
    }
    return {};
}

} // namespace modflash
