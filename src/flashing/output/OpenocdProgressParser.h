// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/output/BoundedLine.h"
#include "flashing/output/ProgressParser.h"

namespace modflash {

// openocd 0.12 prints no numbers while it writes; the phases show in its messages: the banner
// and probe lines while it connects, the flash probe ("device id", "flash size", "auto erase
// enabled") as "flash write_image erase" starts, "wrote N bytes from file" when the write is
// done and "verified N bytes" when the verification is. An "Error" line fails the phase it
// falls in; openocd stops at such errors.
class OpenocdProgressParser : public ProgressParser {
public:
    // openocd's "Error" lines.
    std::optional<std::string_view> errorIn(std::string_view line) const override;

protected:
    void consumeChunk(std::string_view chunk) override;

private:
    void lineEnded();

    BoundedLine m_line;
};

} // namespace modflash
