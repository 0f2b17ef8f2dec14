// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/DfuseLayout.h"

#include <algorithm>
#include <optional>

namespace modflash {

namespace {

constexpr std::uint64_t addressSpace = std::uint64_t(1) << 32;

// Reads the descriptor from left to right; every reader either takes its part or says why it
// cannot.
class Cursor {
public:
    explicit Cursor(std::string_view text)
        : m_text(text) {}

    bool atEnd() const { return m_at == m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_at]; }
    bool take(char c) {
        if (peek() != c || atEnd())
            return false;
        ++m_at;
        return true;
    }
    bool take(std::string_view text) {
        if (m_text.substr(m_at, text.size()) != text)
            return false;
        m_at += text.size();
        return true;
    }
    std::string_view takeUntil(char c) {
        const std::size_t end = std::min(m_text.find(c, m_at), m_text.size());
        const std::string_view part = m_text.substr(m_at, end - m_at);
        m_at = end;
        return part;
    }
    // A number of up to 32 bits in the given base; nothing when there are no digits or the
    // number is larger.
    std::optional<std::uint32_t> number(int base) {
        std::uint64_t value = 0;
        std::size_t digits = 0;
        for (; !atEnd(); ++m_at, ++digits) {
            const char c = m_text[m_at];
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0)
                break;
            value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
            if (value >= addressSpace)
                return std::nullopt;
        }
        if (digits == 0)
            return std::nullopt;
        return static_cast<std::uint32_t>(value);
    }
    std::size_t position() const { return m_at + 1; }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

std::string trimmedName(std::string_view name) {
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(name.substr(first, name.find_last_not_of(' ') - first + 1));
}

std::string quoted(std::string_view text) {
    return "\u201c" + std::string(text) + "\u201d";
}

} // namespace

std::uint64_t DfuseLayout::totalSize() const {
    std::uint64_t total = 0;
    for (const Segment& segment : m_segments)
        total += segment.bytes();
    return total;
}

std::uint64_t DfuseLayout::writableFrom(std::uint32_t address) const {
    std::uint64_t at = address;
    bool moved = true;
    // Segments of later blocks may continue where an earlier one ends, so look again after
    // each step until none continues.
    while (moved) {
        moved = false;
        for (const Segment& segment : m_segments) {
            if (segment.writable && segment.start <= at && at < segment.end()) {
                at = segment.end();
                moved = true;
            }
        }
    }
    return at - address;
}

std::variant<DfuseLayout, std::string> DfuseLayout::parse(std::string_view descriptor) {
    const auto refuse = [&](const std::string& why) -> std::variant<DfuseLayout, std::string> {
        return "the memory layout " + quoted(descriptor) + " cannot be read: " + why;
    };
    // Some boot loaders pad the name to a fixed length.
    while (!descriptor.empty() && (descriptor.back() == ' ' || descriptor.back() == '\0'))
        descriptor.remove_suffix(1);

    Cursor cursor(descriptor);
    if (!cursor.take('@'))
        return refuse("it does not begin with \"@\"");
    DfuseLayout layout;
    layout.m_name = trimmedName(cursor.takeUntil('/'));
    if (layout.m_name.empty())
        return refuse("it names no memory before the first \"/\"");

    while (!cursor.atEnd()) {
        if (!cursor.take("/0x") && !cursor.take("/0X"))
            return refuse("expected \"/0x\" and a start address at character " +
                          std::to_string(cursor.position()));
        const std::optional<std::uint32_t> blockStart = cursor.number(16);
        if (!blockStart)
            return refuse("the start address at character " + std::to_string(cursor.position()) +
                          " is no 32-bit hexadecimal number");
        if (!cursor.take('/'))
            return refuse("expected \"/\" after the start address at character " +
                          std::to_string(cursor.position()));
        std::uint64_t address = *blockStart;
        do {
            const std::string where = "segment " + std::to_string(layout.m_segments.size() + 1) +
                                      " (character " + std::to_string(cursor.position()) + ")";
            const std::optional<std::uint32_t> count = cursor.number(10);
            if (!count || !cursor.take('*'))
                return refuse(where + " does not begin with a sector count and \"*\"");
            const std::optional<std::uint32_t> size = cursor.number(10);
            if (!size)
                return refuse(where + " has no sector size after \"*\"");
            std::uint64_t multiplier = 1;
            if (cursor.take('K'))
                multiplier = 1024;
            else if (cursor.take('M'))
                multiplier = 1024 * 1024;
            else if (!cursor.take('B'))
                cursor.take(' ');
            const char type = cursor.peek();
            if (type < 'a' || type > 'g')
                return refuse(where + " has no type letter from \"a\" to \"g\" after its size");
            cursor.take(type);
            const std::uint64_t sectorSize = *size * multiplier;
            if (*count == 0 || sectorSize == 0)
                return refuse(where + " holds no bytes");
            const std::uint64_t bytes = *count * sectorSize;
            if (sectorSize >= addressSpace || address + bytes > addressSpace)
                return refuse(where + " reaches beyond the 32-bit address space");
            const int bits = type & 7;
            layout.m_segments.push_back({static_cast<std::uint32_t>(address), *count,
                                         static_cast<std::uint32_t>(sectorSize), (bits & 1) != 0,
                                         (bits & 2) != 0, (bits & 4) != 0});
            address += bytes;
        } while (cursor.take(','));
        if (!cursor.atEnd() && cursor.peek() != '/')
            return refuse("unexpected " + quoted(std::string(1, cursor.peek())) + " at character " +
                          std::to_string(cursor.position()));
    }
    if (layout.m_segments.empty())
        return refuse("it has no address block (\"/0x08000000/...\")");
    return layout;
}

std::optional<std::uint64_t> DfuseLayout::flashForImages(std::string_view descriptor) {
    const auto layout = parse(descriptor);
    if (const auto* memory = std::get_if<DfuseLayout>(&layout))
        return memory->writableFrom(0x08000000);
    return std::nullopt;
}

} // namespace modflash
