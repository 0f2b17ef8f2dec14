// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/output/BoundedLine.h"
#include "flashing/output/ProgressParser.h"

#include <string>

namespace modflash {

// avrdude 7.x writing to a pipe: each transfer draws "Writing | " or "Reading | ", one "#" per
// 2 %, and " | 100% 0.12s" at the end. A transfer that fails fills the rest of the bar with "-".
// Messages may interrupt the bar on lines of their own; the marks carry on after them. The line
// before the bar ("avrdude: writing 504 bytes flash ...", "avrdude: verifying flash memory
// against ...") names the memory, so phases come with it: writing "flash", verifying "flash".
class AvrdudeProgressParser : public ProgressParser {
public:
    // Lines with "error" or "failed", but not avrdude's warnings.
    std::optional<std::string_view> errorIn(std::string_view line) const override;

protected:
    void consumeChunk(std::string_view chunk) override;

private:
    enum class Bar { None, Marks, Trailer, Text, AfterBar };

    // The marks come one byte at a time, so avrdude's output is read byte by byte.
    void consume(char c);

    void lineEnded();
    void startPhase(std::string_view header);
    void mark(bool failed);
    void trailerByte(char c);

    BoundedLine m_line;
    Bar m_bar = Bar::None;
    std::string m_trailer;
    Phase m_contextPhase = Phase::None;
    std::string m_contextMemory;
    int m_marks = 0;
};

} // namespace modflash
