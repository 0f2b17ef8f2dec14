// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThumbCore.h"

#include <cstdio>

namespace vbench {

namespace {

std::string hex(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*x", digits, static_cast<unsigned>(value));
    return text;
}

std::int32_t signExtend(std::uint32_t value, int bits) {
    const std::uint32_t sign = 1u << (bits - 1);
    return static_cast<std::int32_t>((value ^ sign) - sign);
}

} // namespace

std::uint32_t ThumbCore::xpsr() const {
    return (m_regs.n ? 1u << 31 : 0) | (m_regs.z ? 1u << 30 : 0) | (m_regs.c ? 1u << 29 : 0) |
           (m_regs.v ? 1u << 28 : 0) | (m_regs.thumb ? 1u << 24 : 0);
}

void ThumbCore::setXpsr(std::uint32_t value) {
    m_regs.n = value & (1u << 31);
    m_regs.z = value & (1u << 30);
    m_regs.c = value & (1u << 29);
    m_regs.v = value & (1u << 28);
    m_regs.thumb = value & (1u << 24);
}

std::optional<std::uint32_t> ThumbCore::registerAt(std::uint32_t selector) const {
    if (selector < 16)
        return m_regs.r[selector];
    switch (selector) {
    case 16:
        return xpsr();
    case 17:
        return m_regs.r[13];
    case 18:
        return m_regs.psp;
    case 20:
        return m_regs.special;
    default:
        return std::nullopt;
    }
}

bool ThumbCore::setRegisterAt(std::uint32_t selector, std::uint32_t value) {
    if (selector < 16 || selector == 17)
        m_regs.r[selector == 17 ? 13 : selector] = value;
    else if (selector == 16)
        setXpsr(value);
    else if (selector == 18)
        m_regs.psp = value;
    else if (selector == 20)
        m_regs.special = value;
    else
        return false;
    forgetLoop();
    return true;
}

void ThumbCore::reset(std::uint32_t stackPointer, std::uint32_t resetVector) {
    m_regs = Registers{};
    m_regs.r[13] = stackPointer & ~3u;
    m_regs.r[15] = resetVector & ~1u;
    m_regs.thumb = resetVector & 1;
    m_lockupReason.clear();
    forgetLoop();
}

ThumbCore::Step ThumbCore::lockUp(const std::string& reason) {
    m_lockupReason = reason;
    return Step::lockup;
}

ThumbCore::Step ThumbCore::step(MemoryBus& bus) {
    const std::uint32_t pc = m_regs.r[15];
    if (!m_regs.thumb)
        return lockUp("the Thumb bit of xPSR is clear at " + hex(pc, 8));
    const auto opcode = bus.read(pc, 2);
    if (!opcode)
        return lockUp("an instruction fetch from " + hex(pc, 8) + " faulted");
    return execute(bus, static_cast<std::uint16_t>(*opcode));
}

std::uint32_t ThumbCore::operand(int index) const {
    return index == 15 ? m_regs.r[15] + 4 : m_regs.r[static_cast<std::size_t>(index)];
}

void ThumbCore::setNz(std::uint32_t result) {
    m_regs.n = result >> 31;
    m_regs.z = result == 0;
}

std::uint32_t ThumbCore::addWithCarry(std::uint32_t x, std::uint32_t y, bool carry) {
    const std::uint64_t unsignedSum = std::uint64_t{x} + y + (carry ? 1 : 0);
    const std::int64_t signedSum =
        std::int64_t{static_cast<std::int32_t>(x)} + static_cast<std::int32_t>(y) + (carry ? 1 : 0);
    const auto result = static_cast<std::uint32_t>(unsignedSum);
    setNz(result);
    m_regs.c = unsignedSum >> 32;
    m_regs.v = signedSum != static_cast<std::int32_t>(result);
    return result;
}

bool ThumbCore::condition(int code) const {
    const auto& f = m_regs;
    switch (code >> 1) {
    case 0:
        return (code & 1) != f.z; // EQ, NE
    case 1:
        return (code & 1) != f.c; // CS, CC
    case 2:
        return (code & 1) != f.n; // MI, PL
    case 3:
        return (code & 1) != f.v; // VS, VC
    case 4:
        return (code & 1) != (f.c && !f.z); // HI, LS
    case 5:
        return (code & 1) != (f.n == f.v); // GE, LT
    default:
        return (code & 1) != (!f.z && f.n == f.v); // GT, LE
    }
}

bool ThumbCore::load(MemoryBus& bus, int rt, std::uint32_t address, int size) {
    const auto value = bus.read(address, size);
    if (!value) {
        lockUp("a load of " + std::to_string(size) + " bytes from " + hex(address, 8) + " at " +
               hex(m_regs.r[15], 8) + " faulted");
        return false;
    }
    m_regs.r[static_cast<std::size_t>(rt)] = *value;
    if (bus.takeReadSideEffect())
        m_loopChanged = true;
    return true;
}

bool ThumbCore::store(MemoryBus& bus, int rt, std::uint32_t address, int size) {
    m_loopChanged = true;
    if (!bus.write(address, size, m_regs.r[static_cast<std::size_t>(rt)])) {
        lockUp("a store of " + std::to_string(size) + " bytes to " + hex(address, 8) + " at " +
               hex(m_regs.r[15], 8) + " faulted");
        return false;
    }
    return true;
}

// A backward branch taken twice over with the same registers in between, nothing stored and
// no counting register read: the loop is idle.
ThumbCore::Step ThumbCore::branchTo(std::uint32_t target, std::uint32_t from) {
    m_regs.r[15] = target;
    if (target > from)
        return Step::executed;
    if (m_loopBranch == from && !m_loopChanged && m_regs == m_loopState)
        return Step::idle;
    m_loopBranch = from;
    m_loopState = m_regs;
    m_loopChanged = false;
    return Step::executed;
}

ThumbCore::Step ThumbCore::execute(MemoryBus& bus, std::uint16_t op) {
    auto& r = m_regs.r;
    const std::uint32_t pc = r[15];
    const auto low = [op](int shift) { return static_cast<std::size_t>((op >> shift) & 7); };
    const std::uint32_t imm8 = op & 0xff;
    std::uint32_t next = pc + 2;

    if ((op & 0xf800) == 0x0000) { // LSLS Rd, Rm, #imm5
        const int shift = (op >> 6) & 31;
        std::uint32_t value = r[low(3)];
        if (shift) {
            m_regs.c = (value >> (32 - shift)) & 1;
            value <<= shift;
        }
        r[low(0)] = value;
        setNz(value);
    } else if ((op & 0xe000) == 0x2000) { // MOVS, CMP, ADDS, SUBS with imm8
        const std::size_t d = low(8);
        switch ((op >> 11) & 3) {
        case 0:
            r[d] = imm8;
            setNz(imm8);
            break;
        case 1:
            addWithCarry(r[d], ~imm8, true);
            break;
        case 2:
            r[d] = addWithCarry(r[d], imm8, false);
            break;
        default:
            r[d] = addWithCarry(r[d], ~imm8, true);
            break;
        }
    } else if ((op & 0xfc00) == 0x4000) { // data processing on low registers
        const std::size_t d = low(0);
        const std::uint32_t m = r[low(3)];
        switch ((op >> 6) & 15) {
        case 0x1:
            r[d] ^= m;
            setNz(r[d]);
            break; // EORS
        case 0x8:
            setNz(r[d] & m);
            break; // TST
        case 0xa:
            addWithCarry(r[d], ~m, true);
            break; // CMP
        case 0xf:
            r[d] = ~m;
            setNz(r[d]);
            break; // MVNS
        default:
            return lockUp("the instruction " + hex(op, 4) + " at " + hex(pc, 8) +
                          " is not emulated");
        }
    } else if ((op & 0xff00) == 0x4600) { // MOV Rd, Rm (high registers)
        const auto d = static_cast<std::size_t>(((op >> 4) & 8) | (op & 7));
        const std::uint32_t value = operand((op >> 3) & 15);
        if (d == 15)
            return branchTo(value & ~1u, pc);
        r[d] = value;
    } else if ((op & 0xf800) == 0x4800) { // LDR Rt, [PC, #imm8*4]
        if (!load(bus, static_cast<int>(low(8)), ((pc + 4) & ~3u) + imm8 * 4, 4))
            return Step::lockup;
    } else if ((op & 0xfe00) == 0x5c00) { // LDRB Rt, [Rn, Rm]
        if (!load(bus, static_cast<int>(low(0)), r[low(3)] + r[low(6)], 1))
            return Step::lockup;
    } else if ((op & 0xf000) == 0x6000 || (op & 0xf000) == 0x8000) { // LDR/STR, LDRH/STRH
        const int size = (op & 0xf000) == 0x6000 ? 4 : 2;
        const std::uint32_t address = r[low(3)] + ((op >> 6) & 31) * static_cast<unsigned>(size);
        const bool ok = (op & 0x0800) ? load(bus, static_cast<int>(low(0)), address, size)
                                      : store(bus, static_cast<int>(low(0)), address, size);
        if (!ok)
            return Step::lockup;
    } else if ((op & 0xff00) == 0xbe00) { // BKPT
        return Step::breakpoint;
    } else if ((op & 0xf000) == 0xd000 && (op & 0x0e00) != 0x0e00) { // B<cond>
        if (condition((op >> 8) & 15))
            return branchTo(pc + 4 + static_cast<std::uint32_t>(signExtend(imm8, 8) * 2), pc);
    } else if ((op & 0xf800) == 0xe000) { // B
        return branchTo(pc + 4 + static_cast<std::uint32_t>(signExtend(op & 0x7ff, 11) * 2), pc);
    } else {
        return lockUp("the instruction " + hex(op, 4) + " at " + hex(pc, 8) + " is not emulated");
    }
    r[15] = next;
    return Step::executed;
}

} // namespace vbench
