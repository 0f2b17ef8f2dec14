// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MemoryBus.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vbench {

// The part of an ARMv6-M core that openocd's flash loader and its CRC routine need, and
// nothing more: nineteen Thumb instruction forms with the N, Z, C and V flags (LSLS by an
// immediate; MOVS, CMP, ADDS and SUBS with an 8-bit immediate; CMP, TST, EORS and MVNS on
// registers; MOV with high registers; LDR from the literal pool; LDRB with a register offset;
// LDR and STR with a 5-bit offset; LDRH and STRH; conditional branches; B; BKPT). Any other
// instruction, a fault on the bus or a cleared Thumb bit locks the core up with the reason
// kept, so that code needing more fails and never succeeds by accident.
//
// A taken backward branch whose turn of the loop changed no register, stored nothing and read
// no register that counts its reads ends a step as idle: the loop would spin until something
// outside the core changes, so the chip may stop executing until the host does something.
class ThumbCore {
public:
    struct Registers {
        std::array<std::uint32_t, 16> r{}; // r13 is the main stack pointer, r15 the PC
        bool n = false, z = false, c = false, v = false, thumb = true;
        std::uint32_t psp = 0;
        std::uint32_t special = 0; // CONTROL, FAULTMASK, BASEPRI, PRIMASK as the probe packs them
        bool operator==(const Registers&) const = default;
    };
    enum class Step { executed, breakpoint, idle, lockup };

    Registers& registers() { return m_regs; }
    const Registers& registers() const { return m_regs; }
    std::uint32_t xpsr() const;
    void setXpsr(std::uint32_t value);
    // A register by the debug interface's selector: 0 to 15, 16 xPSR, 17 MSP, 18 PSP, 20
    // CONTROL, FAULTMASK, BASEPRI and PRIMASK; empty or false for another selector.
    std::optional<std::uint32_t> registerAt(std::uint32_t selector) const;
    bool setRegisterAt(std::uint32_t selector, std::uint32_t value);

    // Starts afresh from the reset vector: SP and PC as given, flags clear, Thumb state.
    void reset(std::uint32_t stackPointer, std::uint32_t resetVector);
    // Forgets the loop being watched for idleness (the host changed the core's state).
    void forgetLoop() { m_loopBranch = noLoop; }

    // Executes the instruction at the PC.
    Step step(MemoryBus& bus);
    const std::string& lockupReason() const { return m_lockupReason; }

private:
    static constexpr std::uint32_t noLoop = 1;

    Step execute(MemoryBus& bus, std::uint16_t opcode);
    Step lockUp(const std::string& reason);
    Step branchTo(std::uint32_t target, std::uint32_t from);
    bool load(MemoryBus& bus, int rt, std::uint32_t address, int size);
    bool store(MemoryBus& bus, int rt, std::uint32_t address, int size);
    std::uint32_t operand(int index) const;
    std::uint32_t addWithCarry(std::uint32_t x, std::uint32_t y, bool carry);
    void setNz(std::uint32_t result);
    bool condition(int code) const;

    Registers m_regs;
    std::string m_lockupReason;
    std::uint32_t m_loopBranch = noLoop;
    Registers m_loopState;
    bool m_loopChanged = false;
};

} // namespace vbench
