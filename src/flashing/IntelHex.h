// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace modflash {

class Wording;

// What an Intel HEX file holds and where, read without keeping its data: every record is
// checked (start code, hexadecimal digits, byte count, checksum, record types 00 to 05), and
// extended segment (02) and extended linear (04) address records move the addresses of the
// data records after them. Lines may end in LF or CRLF; blank lines are passed over.
class IntelHex {
public:
    struct Range {
        std::uint64_t start = 0;
        std::uint64_t end = 0; // one past the last byte
    };

    enum class Problem {
        None,
        BadRecord,          // a line that is no well-formed record
        NoEndRecord,        // the file ends without its end-of-file record: cut short
        AfterEndRecord,     // more records follow the end-of-file record
        LoneCarriageReturn, // a line ends in CR alone, as old Mac OS text files did
    };

    static IntelHex read(std::string_view text);

    Problem problem() const { return m_problem; }
    // For BadRecord, AfterEndRecord and LoneCarriageReturn: the line (from 1) and what is
    // wrong with it, e.g.
    // "line 7 has the checksum 0x3F, but its bytes need 0x40".
    std::size_t problemLine() const { return m_problemLine; }
    std::string problemText(const Wording& wording) const;

    std::size_t records() const { return m_records; }
    // Data bytes in all data records together.
    std::uint64_t dataBytes() const { return m_dataBytes; }
    // From the lowest data address to one past the highest; nothing without data.
    std::optional<Range> span() const;
    // The lowest data address at or above `limit`, or nothing when all data lies below it.
    std::optional<std::uint64_t> firstAddressFrom(std::uint64_t limit) const;

private:
    IntelHex() = default;

    bool readLine(std::string_view line);
    void addData(std::uint64_t start, std::uint64_t length);
    // text: the problem's English words, %1 the line and %2 on the arguments.
    bool fail(Problem problem, const char* text, std::vector<std::string> arguments = {});

    Problem m_problem = Problem::None;
    std::size_t m_problemLine = 0;
    const char* m_problemText = "";
    std::vector<std::string> m_problemArguments;
    std::size_t m_line = 0;
    std::size_t m_records = 0;
    std::uint64_t m_dataBytes = 0;
    bool m_ended = false;
    bool m_segmentAddressing = false;
    std::uint64_t m_base = 0;
    // Consecutive records mostly continue one another, so few ranges hold all the data.
    std::vector<Range> m_ranges;
};

} // namespace modflash
