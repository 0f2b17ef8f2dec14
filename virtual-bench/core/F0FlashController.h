// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MemoryFile.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vbench {

// An STM32F07x's 128 KiB of flash in 2 KiB pages and the flash interface at 0x40022000 that
// writes it: KEYR's unlock sequence, CR (PG, PER, MER, STRT, LOCK), AR, SR (BSY, PGERR,
// WRPRTERR, EOP, the last three cleared by writing 1), OBR and WRPR. Programming takes
// half-words only, and only onto erased ones (or zeros over anything); a page erase or
// programming in a write-protected page sets WRPRTERR and changes nothing, as does a mass
// erase while any page is protected. After each operation SR shows BSY for a few reads, so a
// program that waits for it really waits. The flash lives in a MemoryFile.
class F0FlashController {
public:
    static constexpr std::uint32_t flashBase = 0x08000000;
    static constexpr std::uint32_t flashSize = 128 * 1024;
    static constexpr std::uint32_t pageSize = 2048;
    static constexpr std::uint32_t registerBase = 0x40022000;
    static constexpr std::uint32_t registerSpan = 0x24;
    // With writeProtect, the option bytes protect the first four pages (WRPR bit 0 clear).
    static constexpr std::uint32_t protectedPages = 4;

    F0FlashController(std::string flashPath, bool writeProtect);

    // Offsets within the flash.
    std::optional<std::uint32_t> readFlash(std::uint32_t offset, int size);
    bool writeFlash(std::uint32_t offset, int size, std::uint32_t value);
    // Offsets from registerBase.
    std::optional<std::uint32_t> readRegister(std::uint32_t offset);
    bool writeRegister(std::uint32_t offset, std::uint32_t value);
    // The option bytes at 0x1FFFF800 as their half-words read.
    std::uint16_t optionHalfword(std::uint32_t index) const;

    // A system reset: the interface locks and its state clears; the flash keeps its contents.
    void reset();
    bool takeReadSideEffect();

private:
    enum Control : std::uint32_t {
        pg = 1u << 0,
        per = 1u << 1,
        mer = 1u << 2,
        strt = 1u << 6,
        lock = 1u << 7,
    };
    enum Status : std::uint32_t {
        bsy = 1u << 0,
        pgerr = 1u << 2,
        wrprterr = 1u << 4,
        eop = 1u << 5,
    };

    MemoryFile& flash();
    bool pageProtected(std::uint32_t offset) const;
    void writeControl(std::uint32_t value);
    void erase(std::uint32_t offset, std::uint32_t count);
    void finish(std::uint32_t errors, int busyReads);

    std::string m_path;
    bool m_writeProtect;
    std::optional<MemoryFile> m_flash;
    std::uint32_t m_control = lock;
    std::uint32_t m_status = 0;
    std::uint32_t m_address = 0;
    int m_keysTaken = 0;
    int m_busyReads = 0;
    bool m_readSideEffect = false;
};

} // namespace vbench
