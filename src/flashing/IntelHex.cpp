// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/IntelHex.h"

#include "flashing/TextLookup.h"
#include "flashing/Wording.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace modflash {

namespace {

enum RecordType : std::uint8_t {
    data = 0x00,
    endOfFile = 0x01,
    extendedSegmentAddress = 0x02,
    startSegmentAddress = 0x03,
    extendedLinearAddress = 0x04,
    startLinearAddress = 0x05,
};

// The byte count each record type other than data must carry.
constexpr std::array<int, 6> fixedCount{-1, 0, 2, 4, 2, 4};

constexpr std::array<std::int8_t, 256> hexDigits = [] {
    std::array<std::int8_t, 256> digits{};
    digits.fill(-1);
    for (int i = 0; i < 10; ++i)
        digits['0' + i] = static_cast<std::int8_t>(i);
    for (int i = 0; i < 6; ++i) {
        digits['a' + i] = static_cast<std::int8_t>(10 + i);
        digits['A' + i] = static_cast<std::int8_t>(10 + i);
    }
    return digits;
}();

std::string byteText(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

} // namespace

IntelHex IntelHex::read(std::string_view text) {
    IntelHex hex;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        const bool lastLineOpen = end == std::string_view::npos;
        if (lastLineOpen)
            end = text.size();
        std::string_view line = text.substr(from, end - from);
        from = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        ++hex.m_line;
        // Lines that end in CR alone would read as one long line, cut short at its first CR.
        if (line.find('\r') != std::string_view::npos) {
            hex.fail(Problem::LoneCarriageReturn,
                     MODFLASH_TRANSLATABLE("modflash::IntelHex",
                                           "line %1 ends in a carriage return alone"));
            return hex;
        }
        if (!hex.readLine(line)) {
            // A download cut short mostly ends inside a record: that is the news, not the record.
            if (lastLineOpen && !hex.m_ended && hex.m_problem == Problem::BadRecord)
                hex.m_problem = Problem::NoEndRecord;
            return hex;
        }
    }
    if (!hex.m_ended)
        hex.m_problem = Problem::NoEndRecord;
    return hex;
}

bool IntelHex::fail(Problem problem, const char* text, std::vector<std::string> arguments) {
    m_problem = problem;
    m_problemLine = m_line;
    m_problemText = text;
    m_problemArguments = std::move(arguments);
    m_problemArguments.insert(m_problemArguments.begin(), std::to_string(m_line));
    return false;
}

std::string IntelHex::problemText(const Wording& wording) const {
    if (m_problem == Problem::None || m_problem == Problem::NoEndRecord)
        return {};
    return substituted(wording.text("modflash::IntelHex", m_problemText), m_problemArguments);
}

bool IntelHex::readLine(std::string_view line) {
    if (line.empty())
        return true;
    if (m_ended)
        return fail(
            Problem::AfterEndRecord,
            MODFLASH_TRANSLATABLE("modflash::IntelHex", "line %1 follows the end-of-file record"));
    if (line[0] != ':')
        return fail(Problem::BadRecord,
                    MODFLASH_TRANSLATABLE("modflash::IntelHex",
                                          "line %1 does not begin with \u201c:\u201d"));
    const std::string_view digits = line.substr(1);
    for (const char c : digits) {
        if (hexDigits[static_cast<unsigned char>(c)] >= 0)
            continue;
        // A character as a reason can show it: itself when printable, else its code.
        const auto code = static_cast<unsigned char>(c);
        if (code >= 0x21 && code < 0x7F)
            return fail(Problem::BadRecord,
                        MODFLASH_TRANSLATABLE(
                            "modflash::IntelHex",
                            "line %1 holds \u201c%2\u201d, which is no hexadecimal digit"),
                        {std::string(1, c)});
        return fail(Problem::BadRecord,
                    MODFLASH_TRANSLATABLE("modflash::IntelHex",
                                          "line %1 holds the byte %2, which is no hexadecimal "
                                          "digit"),
                    {byteText(code)});
    }
    if (digits.size() % 2 != 0)
        return fail(Problem::BadRecord,
                    MODFLASH_TRANSLATABLE("modflash::IntelHex",
                                          "line %1 has an odd number of hexadecimal digits"));
    if (digits.size() < 10)
        return fail(Problem::BadRecord, MODFLASH_TRANSLATABLE("modflash::IntelHex",
                                                              "line %1 is too short for a record"));

    const auto byteAt = [&](std::size_t i) -> unsigned {
        return static_cast<unsigned>(hexDigits[static_cast<unsigned char>(digits[2 * i])] * 16 +
                                     hexDigits[static_cast<unsigned char>(digits[2 * i + 1])]);
    };
    const std::size_t bytes = digits.size() / 2;
    const unsigned count = byteAt(0);
    if (bytes != count + 5) {
        return fail(Problem::BadRecord,
                    MODFLASH_TRANSLATABLE("modflash::IntelHex",
                                          "line %1 says it holds %2 data bytes but holds %3"),
                    {std::to_string(count), std::to_string(bytes - 5)});
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < bytes; ++i)
        sum += byteAt(i);
    const unsigned due = (0x100 - (sum & 0xFF)) & 0xFF;
    if (byteAt(bytes - 1) != due) {
        return fail(Problem::BadRecord,
                    MODFLASH_TRANSLATABLE("modflash::IntelHex",
                                          "line %1 has the checksum %2, but its bytes need %3: "
                                          "the file is damaged"),
                    {byteText(byteAt(bytes - 1)), byteText(due)});
    }
    const unsigned type = byteAt(3);
    if (type >= fixedCount.size())
        return fail(Problem::BadRecord,
                    MODFLASH_TRANSLATABLE("modflash::IntelHex",
                                          "line %1 has the record type %2, which Intel HEX does "
                                          "not know"),
                    {byteText(type)});
    if (type != data && count != static_cast<unsigned>(fixedCount[type])) {
        return fail(Problem::BadRecord,
                    MODFLASH_TRANSLATABLE("modflash::IntelHex",
                                          "line %1 is a record of type %2 with %3 bytes instead "
                                          "of %4"),
                    {byteText(type), std::to_string(count), std::to_string(fixedCount[type])});
    }
    ++m_records;
    const std::uint64_t offset = byteAt(1) << 8 | byteAt(2);
    switch (type) {
    case data:
        if (m_segmentAddressing && offset + count > 0x10000) {
            // Within a segment the offset wraps around to its start.
            addData(m_base + offset, 0x10000 - offset);
            addData(m_base, offset + count - 0x10000);
        } else {
            addData(m_base + offset, count);
        }
        break;
    case endOfFile:
        m_ended = true;
        break;
    case extendedSegmentAddress:
        m_base = std::uint64_t(byteAt(4) << 8 | byteAt(5)) << 4;
        m_segmentAddressing = true;
        break;
    case extendedLinearAddress:
        m_base = std::uint64_t(byteAt(4) << 8 | byteAt(5)) << 16;
        m_segmentAddressing = false;
        break;
    default: // start addresses say where to run, not what to write
        break;
    }
    return true;
}

void IntelHex::addData(std::uint64_t start, std::uint64_t length) {
    if (length == 0)
        return;
    m_dataBytes += length;
    if (!m_ranges.empty() && m_ranges.back().end == start)
        m_ranges.back().end += length;
    else
        m_ranges.push_back({start, start + length});
}

std::optional<IntelHex::Range> IntelHex::span() const {
    if (m_ranges.empty())
        return std::nullopt;
    Range span = m_ranges.front();
    for (const Range& range : m_ranges) {
        span.start = std::min(span.start, range.start);
        span.end = std::max(span.end, range.end);
    }
    return span;
}

std::optional<std::uint64_t> IntelHex::firstAddressFrom(std::uint64_t limit) const {
    std::optional<std::uint64_t> first;
    for (const Range& range : m_ranges) {
        if (range.end <= limit)
            continue;
        const std::uint64_t at = std::max(range.start, limit);
        if (!first || at < *first)
            first = at;
    }
    return first;
}

} // namespace modflash
