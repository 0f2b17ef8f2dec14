// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace modflash {

// "0x4000", "0x08000041": upper-case hexadecimal, four digits at least, eight above 0xFFFF. The
// same in every language, as data sheets and the tools write addresses.
std::string hexAddress(std::uint64_t address);

} // namespace modflash
