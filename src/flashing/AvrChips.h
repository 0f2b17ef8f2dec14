// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace modflash {

// The three signature bytes an AVR chip answers with, as avrdude reads them.
using AvrSignatureBytes = std::array<std::uint8_t, 3>;

// "1E 95 0F": the way datasheets and avrdude's "expected signature" line write a signature.
std::string signatureText(const AvrSignatureBytes& signature);

// One signature a chip may answer with and the name of the chip versions that have it: the
// same die is sold in versions (ATmega328 and ATmega328P) that differ in their signature, and
// a module may carry any of them.
struct AvrChipVariant {
    AvrSignatureBytes signature;
    std::string_view name;
};

// Names a chip of AvrChips, in the order it lists them.
enum class AvrChipId { atmega168, atmega328, attiny44, attiny45, attiny85 };

struct AvrChip {
    AvrChipId id;
    std::string_view part;     // avrdude's part id, as -p takes it: "atmega328"
    std::string_view name;     // for people: "ATmega328"
    std::string_view highFuse; // as avrdude's -U...:m takes them: "0xDA"
    std::string_view lowFuse;
    std::optional<std::string_view> extendedFuse; // nothing: the chip has no extended fuse
    std::uint32_t flashSize;                      // bytes
    std::span<const AvrChipVariant> variants;     // every signature the chip may answer with

    // Whether a module answering with this signature carries this chip.
    bool answersWith(const AvrSignatureBytes& signature) const;
};

// A chip of the table and the variant a signature names.
struct AvrChipMatch {
    const AvrChip* chip;
    const AvrChipVariant* variant;
};

// The AVR chips modflash knows. The one place their part ids, fuses, flash sizes and
// signatures live: the avrdude command, the image checks and the module check all read them
// here, so a chip's facts cannot drift apart between them.
class AvrChips {
public:
    // In the order of AvrChipId.
    static std::span<const AvrChip> all();

    static const AvrChip& chip(AvrChipId id);

    // The chip, and its variant, that answers with this signature; nothing when no chip of the
    // table does.
    static std::optional<AvrChipMatch> withSignature(const AvrSignatureBytes& signature);
};

} // namespace modflash
