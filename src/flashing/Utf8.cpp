// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/Utf8.h"

#include <cstdint>
#include <cstring>

namespace modflash {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";

enum class Sequence { Valid, Invalid, Incomplete };

// Looks at the character starting at text[i]. length is set to the character's length, or for
// an invalid one to the bytes a single U+FFFD stands for.
Sequence sequenceAt(std::string_view text, std::size_t i, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[i]);
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        length = 1;
        return Sequence::Valid;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        length = 1;
        return Sequence::Invalid;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (i + k >= text.size())
            return Sequence::Incomplete;
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            length = k; // the character was cut short: one replacement for what there was
            return Sequence::Invalid;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        length = 1;
        return Sequence::Invalid;
    }
    return Sequence::Valid;
}

// Index of the first byte at or after i that is not ASCII; ASCII is the common case, so it is
// skipped eight bytes at a time.
std::size_t skipAscii(std::string_view text, std::size_t i) {
    while (i + 8 <= text.size()) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
        i += 8;
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80)
        ++i;
    return i;
}

} // namespace

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = skipAscii(text, 0); i < text.size(); i = skipAscii(text, i)) {
        std::size_t length = 0;
        if (sequenceAt(text, i, length) != Sequence::Valid)
            return false;
        i += length;
    }
    return true;
}

void Utf8Stream::decode(std::string_view bytes, std::string& out) {
    std::string joined;
    if (!m_pending.empty()) {
        joined = m_pending + std::string(bytes);
        m_pending.clear();
        bytes = joined;
    }
    std::size_t done = 0;
    for (std::size_t i = skipAscii(bytes, 0); i < bytes.size(); i = skipAscii(bytes, i)) {
        std::size_t length = 0;
        switch (sequenceAt(bytes, i, length)) {
        case Sequence::Valid:
            i += length;
            break;
        case Sequence::Invalid:
            out.append(bytes.substr(done, i - done));
            out.append(replacement);
            done = i += length;
            break;
        case Sequence::Incomplete:
            out.append(bytes.substr(done, i - done));
            m_pending.assign(bytes.substr(i));
            return;
        }
    }
    out.append(bytes.substr(done));
}

void Utf8Stream::finish(std::string& out) {
    if (!m_pending.empty())
        out.append(replacement);
    m_pending.clear();
}

} // namespace modflash
