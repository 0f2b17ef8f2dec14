// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace modflash {

// How the checks write the numbers and names in their reasons.

// The file's name in typographic quotes: “Wendrel.2.0.bin”.
std::string quotedName(std::string_view name);

// "12,288": a comma every three digits.
std::string groupedNumber(std::uint64_t value);

// A memory size as data sheets give it: "8 KiB", "1 MiB", else "1,000 bytes".
std::string memorySize(std::uint64_t bytes);

// "0x4000", "0x08000041": upper-case hexadecimal, four digits at least, eight above 0xFFFF.
std::string hexAddress(std::uint64_t address);

} // namespace modflash
