// SPDX-License-Identifier: GPL-3.0-or-later
#include "AvrPart.h"

namespace vbench {

namespace {

constexpr std::uint32_t kib = 1024;

// Sizes, signatures and factory fuses from the data sheets; the instruction set is the one
// avrdude.conf gives these parts.
constexpr AvrPart parts[] = {
    {"m168",
     "ATmega168",
     {0x1e, 0x94, 0x06},
     16 * kib,
     128,
     512,
     {0x62, 0xdf, 0xf9},
     {0xff, 0xff, 0x07},
     0x3f,
     0x08,
     0x9c},
    {"m168p",
     "ATmega168P",
     {0x1e, 0x94, 0x0b},
     16 * kib,
     128,
     512,
     {0x62, 0xdf, 0xf9},
     {0xff, 0xff, 0x07},
     0x3f,
     0x08,
     0x9c},
    {"m328",
     "ATmega328",
     {0x1e, 0x95, 0x14},
     32 * kib,
     128,
     1024,
     {0x62, 0xd9, 0xff},
     {0xff, 0xff, 0x07},
     0x3f,
     0x08,
     0x9c},
    {"m328p",
     "ATmega328P",
     {0x1e, 0x95, 0x0f},
     32 * kib,
     128,
     1024,
     {0x62, 0xd9, 0xff},
     {0xff, 0xff, 0x07},
     0x3f,
     0x08,
     0x9c},
    {"t44",
     "ATtiny44",
     {0x1e, 0x92, 0x07},
     4 * kib,
     64,
     256,
     {0x62, 0xdf, 0xff},
     {0xff, 0xff, 0x01},
     0x03,
     0x08,
     0x8a},
    {"t45",
     "ATtiny45",
     {0x1e, 0x92, 0x06},
     4 * kib,
     64,
     256,
     {0x62, 0xdf, 0xff},
     {0xff, 0xff, 0x01},
     0x03,
     0x08,
     0x8a},
    {"t85",
     "ATtiny85",
     {0x1e, 0x93, 0x0b},
     8 * kib,
     64,
     512,
     {0x62, 0xdf, 0xff},
     {0xff, 0xff, 0x01},
     0x03,
     0x08,
     0x8a},
};

} // namespace

std::optional<AvrPart> AvrPart::withId(std::string_view id) {
    for (const auto& part : parts) {
        if (id == part.id)
            return part;
    }
    return std::nullopt;
}

} // namespace vbench
