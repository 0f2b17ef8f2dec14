// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/CheckText.h"

#include <cstdio>

namespace modflash {

std::string quotedName(std::string_view name) {
    return "\u201c" + std::string(name) + "\u201d";
}

std::string groupedNumber(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped.push_back(',');
        grouped.push_back(digits[i]);
    }
    return grouped;
}

std::string memorySize(std::uint64_t bytes) {
    constexpr std::uint64_t KiB = 1024;
    constexpr std::uint64_t MiB = 1024 * KiB;
    if (bytes >= MiB && bytes % MiB == 0)
        return std::to_string(bytes / MiB) + " MiB";
    if (bytes >= KiB && bytes % KiB == 0)
        return std::to_string(bytes / KiB) + " KiB";
    return groupedNumber(bytes) + (bytes == 1 ? " byte" : " bytes");
}

std::string hexAddress(std::uint64_t address) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*llX", address > 0xFFFF ? 8 : 4,
                  static_cast<unsigned long long>(address));
    return text;
}

} // namespace modflash
