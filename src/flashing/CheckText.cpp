// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/CheckText.h"

#include <cstdio>

namespace modflash {

std::string hexAddress(std::uint64_t address) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*llX", address > 0xFFFF ? 8 : 4,
                  static_cast<unsigned long long>(address));
    return text;
}

} // namespace modflash
