// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ThumbCore.h"

#include <array>
#include <cstdint>
#include <optional>

namespace vbench {

// A Cortex-M0's debug interface in its private peripheral bus (0xE0000000 to 0xE00FFFFF): CPUID
// (0x410CC200, r0p0), AIRCR's system reset request, DHCSR (halt, step, resume, the sticky
// reset and retire flags, lockup), DCRSR and DCRDR to move core registers, DEMCR's reset vector
// catch, DFSR, the breakpoint unit with four comparators and the watchpoint unit with two.
// It keeps whether the core is halted and why; the chip runs the core and resets the system.
class CortexM0Debug {
public:
    static constexpr std::uint32_t base = 0xe0000000;
    static constexpr std::uint32_t span = 0x00100000;

    enum class Request { none, systemReset };

    explicit CortexM0Debug(ThumbCore& core);

    std::optional<std::uint32_t> read(std::uint32_t address);
    // What the write asks of the system beyond the debug interface, or empty for a fault.
    std::optional<Request> write(std::uint32_t address, std::uint32_t value);

    bool halted() const { return m_halted; }
    bool lockedUp() const { return m_lockedUp; }
    bool debugEnabled() const { return m_control & debugEn; }
    // The core will execute: running, not locked up, not stepping past its one instruction.
    bool mayExecute() const { return !m_halted && !m_lockedUp; }
    bool stepping() const { return m_control & step; }
    // True when an enabled comparator of the breakpoint unit matches the address.
    bool breakpointAt(std::uint32_t address) const;

    // The core stopped: a debug request, a step, a BKPT or a breakpoint comparator.
    enum Reason : std::uint32_t { haltRequest = 1, bkpt = 2, vectorCatch = 8 };
    void halt(std::uint32_t reason);
    void lockUp() { m_lockedUp = true; }
    void retired() { m_retired = true; }
    // After a system reset: halts at the reset vector when the vector catch is set.
    void systemReset();

private:
    enum Dhcsr : std::uint32_t {
        debugEn = 1u << 0,
        haltBit = 1u << 1,
        step = 1u << 2,
        maskInts = 1u << 3,
        regReady = 1u << 16,
        statusHalt = 1u << 17,
        statusLockup = 1u << 19,
        statusRetire = 1u << 24,
        statusReset = 1u << 25,
    };

    std::uint32_t dhcsr();
    void writeDhcsr(std::uint32_t value);
    void transferRegister(std::uint32_t selector);
    std::uint32_t* unitRegister(std::uint32_t address);

    ThumbCore& m_core;
    std::uint32_t m_control = 0; // DHCSR's C_ bits
    bool m_halted = false;
    bool m_lockedUp = false;
    bool m_retired = false;
    bool m_resetSeen = true;
    std::uint32_t m_dcrdr = 0;
    std::uint32_t m_demcr = 0;
    std::uint32_t m_dfsr = 0;
    std::uint32_t m_fpControl = 0;
    std::array<std::uint32_t, 4> m_fpComparators{};
    std::uint32_t m_dwtControl = 0x20000000; // two comparators
    std::array<std::uint32_t, 6> m_dwtComparators{};
};

} // namespace vbench
