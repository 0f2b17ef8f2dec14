// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/AvrChips.h"

#include <algorithm>
#include <cstdio>

namespace modflash {

namespace {

// Signatures from the chips' datasheets. The A versions (ATmega168A, ATtiny44A) answer like
// the chips they replace, the P versions (picoPower) differently.
constexpr std::array atmega168Variants{
    AvrChipVariant{{0x1E, 0x94, 0x06}, "ATmega168/168A"},
    AvrChipVariant{{0x1E, 0x94, 0x0B}, "ATmega168P/PA"},
};
constexpr std::array atmega328Variants{
    AvrChipVariant{{0x1E, 0x95, 0x14}, "ATmega328"},
    AvrChipVariant{{0x1E, 0x95, 0x0F}, "ATmega328P"},
};
constexpr std::array attiny44Variants{AvrChipVariant{{0x1E, 0x92, 0x07}, "ATtiny44"}};
constexpr std::array attiny45Variants{AvrChipVariant{{0x1E, 0x92, 0x06}, "ATtiny45"}};
constexpr std::array attiny85Variants{AvrChipVariant{{0x1E, 0x93, 0x0B}, "ATtiny85"}};

constexpr std::uint32_t KiB = 1024;

constexpr std::array<AvrChip, 5> chips{{
    {AvrChipId::atmega168, "atmega168", "ATmega168", "0xDD", "0xFF", "0x00", 16 * KiB,
     atmega168Variants},
    {AvrChipId::atmega328, "atmega328", "ATmega328", "0xDA", "0xFF", "0x05", 32 * KiB,
     atmega328Variants},
    {AvrChipId::attiny44, "attiny44", "ATtiny44", "0xDF", "0xFF", std::nullopt, 4 * KiB,
     attiny44Variants},
    {AvrChipId::attiny45, "attiny45", "ATtiny45", "0xDF", "0x62", "0xFF", 4 * KiB,
     attiny45Variants},
    {AvrChipId::attiny85, "attiny85", "ATtiny85", "0xD7", "0xE2", "0xFF", 8 * KiB,
     attiny85Variants},
}};

// chip() finds a chip at its id's place.
static_assert(std::ranges::all_of(chips, [](const AvrChip& chip) {
    return &chip - chips.data() == static_cast<std::ptrdiff_t>(chip.id);
}));

} // namespace

std::string signatureText(const AvrSignatureBytes& signature) {
    char text[9];
    std::snprintf(text, sizeof text, "%02X %02X %02X", signature[0], signature[1], signature[2]);
    return text;
}

bool AvrChip::answersWith(const AvrSignatureBytes& signature) const {
    return std::any_of(variants.begin(), variants.end(),
                       [&](const AvrChipVariant& v) { return v.signature == signature; });
}

std::span<const AvrChip> AvrChips::all() {
    return chips;
}

const AvrChip& AvrChips::chip(AvrChipId id) {
    return chips[static_cast<std::size_t>(id)];
}

std::optional<AvrChipMatch> AvrChips::withSignature(const AvrSignatureBytes& signature) {
    for (const AvrChip& chip : chips) {
        for (const AvrChipVariant& variant : chip.variants) {
            if (variant.signature == signature)
                return AvrChipMatch{&chip, &variant};
        }
    }
    return std::nullopt;
}

} // namespace modflash
