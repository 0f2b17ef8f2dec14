// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AvrPart.h"
#include "MemoryFile.h"
#include "StateDirectory.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vbench {

// An AVR chip on a programmer's ISP lines, answering the serial programming instructions of
// its data sheet: Programming Enable while RESET is held low, then signature, chip erase,
// loading and writing flash pages, reading flash and EEPROM, and reading and writing fuses and
// lock bits. A page write only clears bits, so flash written without an erase shows it. The
// memories live in the state directory: avr-flash.bin, avr-eeprom.bin, avr-fuses (one line,
// "lfuse hfuse efuse" in hex) and avr-lock.
class AvrChip {
public:
    using Instruction = std::array<std::uint8_t, 4>;

    static constexpr const char* flashFile = "avr-flash.bin";
    static constexpr const char* eepromFile = "avr-eeprom.bin";
    static constexpr const char* fusesFile = "avr-fuses";
    static constexpr const char* lockFile = "avr-lock";

    AvrChip(AvrPart part, StateDirectory directory);

    const AvrPart& part() const { return m_part; }
    // Holding RESET low lets the chip take Programming Enable; releasing it ends programming.
    void holdInReset(bool low);
    // One four-byte instruction; the answer is what the chip shifts out meanwhile.
    Instruction transfer(const Instruction& in);

private:
    std::uint8_t execute(const Instruction& in);
    std::uint8_t writeInstruction(const Instruction& in);
    void chipErase();
    void writeFlashPage(std::uint32_t wordAddress);
    void writeEepromPage(std::uint32_t address);
    MemoryFile& flash();
    MemoryFile& eeprom();
    void loadFuses();
    void saveFuses() const;

    AvrPart m_part;
    StateDirectory m_directory;
    std::unique_ptr<MemoryFile> m_flash;
    std::unique_ptr<MemoryFile> m_eeprom;
    std::array<std::uint8_t, 3> m_fuses{};
    std::uint8_t m_lock = 0xff;
    std::vector<std::uint8_t> m_pageBuffer;
    std::array<std::optional<std::uint8_t>, 4> m_eepromPage{};
    bool m_resetLow = false;
    bool m_programming = false;
};

} // namespace vbench
