// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/TitleOrder.h"

#include <cstdint>

namespace modflash {

namespace {

// Decodes one UTF-8 character at text[pos] and advances pos. A malformed byte stands for
// itself so that every text still has a total order.
char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 1;
    char32_t value = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        value = lead & 0x07;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
        value = lead & 0x1F;
    }
    if (length > 1) {
        if (pos + length > text.size()) {
            length = 1;
            value = lead;
        } else {
            for (int i = 1; i < length; ++i) {
                const auto next = static_cast<unsigned char>(text[pos + i]);
                if ((next & 0xC0) != 0x80) {
                    length = 1;
                    value = lead;
                    break;
                }
                value = (value << 6) | (next & 0x3F);
            }
        }
    }
    pos += length;
    return value;
}

// Lower-case folding for the scripts titles are written in: Latin (with its first extension),
// Greek and Cyrillic. Other characters compare as they are.
char32_t foldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    if (c == 0x178) // Ÿ pairs with ÿ at the end of Latin-1, not with its neighbour Ź
        return 0xFF;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddPairs)
            return (c % 2 == 1) ? c + 1 : c;
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

} // namespace

int compareCaseInsensitive(std::string_view left, std::string_view right) {
    std::size_t l = 0;
    std::size_t r = 0;
    while (l < left.size() && r < right.size()) {
        const char32_t a = foldCase(nextCodePoint(left, l));
        const char32_t b = foldCase(nextCodePoint(right, r));
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (l < left.size())
        return 1;
    if (r < right.size())
        return -1;
    return 0;
}

} // namespace modflash
