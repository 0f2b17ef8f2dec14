// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/output/BoundedLine.h"

#include <algorithm>

namespace modflash {

BoundedLine::BoundedLine(std::size_t limit)
    : m_limit(limit) {
    m_text.reserve(64);
}

void BoundedLine::append(char c) {
    if (m_text.size() < m_limit)
        m_text.push_back(c);
    else
        m_truncated = true;
}

void BoundedLine::append(std::string_view text) {
    const std::size_t room = m_limit - std::min(m_limit, m_text.size());
    if (text.size() > room) {
        m_truncated = true;
        text = text.substr(0, room);
    }
    m_text.append(text);
}

void BoundedLine::clear() {
    m_text.clear();
    m_truncated = false;
}

std::string_view BoundedLine::wholeCharacters() const {
    if (!m_truncated)
        return m_text;
    // Drop a multi-byte character the limit cut in two: back up over continuation bytes to
    // the lead byte and leave it out too, unless the character is complete.
    std::size_t end = m_text.size();
    std::size_t lead = end;
    while (lead > 0 && (static_cast<unsigned char>(m_text[lead - 1]) & 0xC0) == 0x80)
        --lead;
    if (lead > 0) {
        const auto first = static_cast<unsigned char>(m_text[lead - 1]);
        const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        if (end - (lead - 1) < length)
            end = lead - 1;
    }
    return std::string_view(m_text).substr(0, end);
}

} // namespace modflash
