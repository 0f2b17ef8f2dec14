// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vbench {

// The chip behind an emulated DFU boot loader: its flash, how that flash is divided for
// erasing, how it takes writes, and the interface names the boot loader reports (the first
// one, alternate setting 0, describes the internal flash in DfuSe's layout notation).
class Stm32Model {
public:
    static constexpr std::uint32_t flashBase = 0x08000000;

    // "f4": an STM32F4 with 1 MiB in sectors of 16, 64 and 128 KiB; "f0": an STM32F0 with
    // 64 pages of 2 KiB.
    static std::optional<Stm32Model> named(std::string_view name);
    static constexpr const char* knownNames = "f4, f0";

    std::uint32_t flashSize() const { return m_flashSize; }
    bool flashHolds(std::uint32_t address, std::uint32_t length) const;
    // The sector (F4) or page (F0) that holds the address, as {start, size}.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> sectorAt(std::uint32_t address) const;
    const std::vector<std::string>& interfaceNames() const { return m_interfaceNames; }
    const std::string& serialNumber() const { return m_serialNumber; }

    // The new contents of a flash range after writing data over old. F4 flash only clears
    // bits without an erase. F0 flash refuses a half-word that is not erased (unless the
    // write is all zeros): the result then stops before it and the write failed.
    struct Programmed {
        std::vector<std::uint8_t> bytes;
        bool complete = true;
    };
    Programmed program(std::vector<std::uint8_t> old, const std::vector<std::uint8_t>& data) const;

private:
    struct SectorRun {
        int count;
        std::uint32_t size;
    };
    Stm32Model(std::vector<SectorRun> sectors, std::vector<std::string> interfaceNames,
               std::string serialNumber, bool halfwordChecks);

    std::vector<SectorRun> m_sectors;
    std::vector<std::string> m_interfaceNames;
    std::string m_serialNumber;
    bool m_halfwordChecks;
    std::uint32_t m_flashSize = 0;
};

} // namespace vbench
