// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vbench {

// What the emulation needs to know of an AVR chip, by avrdude's part id. Fuse bits a chip does
// not have read back as 1, as on the silicon.
struct AvrPart {
    const char* id;
    const char* name;
    std::array<std::uint8_t, 3> signature;
    std::uint32_t flashSize;
    std::uint32_t flashPageSize;
    std::uint32_t eepromSize;
    // Factory settings and the bits each fuse byte really has: low, high, extended.
    std::array<std::uint8_t, 3> factoryFuses;
    std::array<std::uint8_t, 3> fuseBits;
    std::uint8_t lockBits;
    // The high fuse bit that keeps the EEPROM through a chip erase (programmed = 0).
    std::uint8_t eesaveBit;
    std::uint8_t calibration;

    bool hasExtendedFuse() const { return fuseBits[2] != 0; }

    static std::optional<AvrPart> withId(std::string_view id);
    static constexpr const char* knownIds = "m168, m168p, m328, m328p, t44, t45, t85";
};

} // namespace vbench
