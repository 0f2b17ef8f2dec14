// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CortexM0Debug.h"
#include "F0FlashController.h"
#include "MemoryBus.h"
#include "ThumbCore.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vbench {

// An STM32F07x as its debug port sees it: flash at 0x08000000 (aliased at 0), 16 KiB of SRAM
// at 0x20000000, the unique ID and the flash size (128 KiB) in system memory, the option
// bytes, the flash interface, DBGMCU (IDCODE 0x20000448), and the Cortex-M0's debug interface.
// Anything else faults, as an unmapped address does. The core executes only what a debugger
// sets it to run: after a reset that no vector catch halts, it runs the module's application,
// which the bench does not interpret.
class Stm32F0Chip : public MemoryBus {
public:
    using Report = std::function<void(const std::string&)>;

    Stm32F0Chip(std::string flashPath, bool writeProtect, Report report);

    std::optional<std::uint32_t> read(std::uint32_t address, int size) override;
    bool write(std::uint32_t address, int size, std::uint32_t value) override;
    bool takeReadSideEffect() override { return m_flash.takeReadSideEffect(); }

    ThumbCore& core() { return m_core; }
    CortexM0Debug& debug() { return m_debug; }
    // A system reset (NRST, SYSRESETREQ): the flash interface locks, the core starts from the
    // vector table, halted there if the vector catch is set.
    void systemReset();
    // Lets the core run as it does while the host talks to the probe: until it halts, locks
    // up, turns in an idle loop or has executed a long stretch of instructions.
    void advance();

private:
    static constexpr std::uint32_t sramBase = 0x20000000;
    static constexpr std::uint32_t sramSize = 16 * 1024;
    static constexpr std::uint32_t dbgmcuBase = 0x40015800;

    std::optional<std::uint32_t> readWord(std::uint32_t address);
    std::optional<std::uint32_t> readSystemMemory(std::uint32_t address, int size) const;
    bool writeWord(std::uint32_t address, std::uint32_t value);
    void afterStep(ThumbCore::Step step);

    F0FlashController m_flash;
    ThumbCore m_core;
    CortexM0Debug m_debug;
    Report m_report;
    std::vector<std::uint8_t> m_sram;
    std::uint32_t m_dbgmcu[3] = {};
    bool m_runsApplication = false;
};

} // namespace vbench
