// SPDX-License-Identifier: GPL-3.0-or-later
#include "CortexM0Debug.h"

namespace vbench {

namespace {

enum Address : std::uint32_t {
    dwtCtrl = 0xe0001000,
    dwtFirst = 0xe0001020,
    fpCtrl = 0xe0002000,
    fpRemap = 0xe0002004,
    fpFirst = 0xe0002008,
    cpuid = 0xe000ed00,
    aircr = 0xe000ed0c,
    dfsr = 0xe000ed30,
    dhcsrAddress = 0xe000edf0,
    dcrsr = 0xe000edf4,
    dcrdr = 0xe000edf8,
    demcr = 0xe000edfc,
};

constexpr std::uint32_t dbgKey = 0xa05f0000;
constexpr std::uint32_t vectKey = 0x05fa0000;
constexpr std::uint32_t sysResetReq = 1u << 2;
constexpr std::uint32_t vcCoreReset = 1u << 0;
constexpr std::uint32_t fpNumCode = 4u << 4;
constexpr std::uint32_t fpKey = 1u << 1;

} // namespace

CortexM0Debug::CortexM0Debug(ThumbCore& core)
    : m_core(core) {}

std::uint32_t* CortexM0Debug::unitRegister(std::uint32_t address) {
    if (address >= fpFirst && address < fpFirst + 4 * m_fpComparators.size())
        return &m_fpComparators[(address - fpFirst) / 4];
    // Each watchpoint comparator has COMP, MASK and FUNCTION, 16 bytes apart per comparator.
    if (address >= dwtFirst && address < dwtFirst + 0x20 && (address & 0xc) != 0xc)
        return &m_dwtComparators[(address - dwtFirst) / 16 * 3 + (address & 0xc) / 4];
    return nullptr;
}

bool CortexM0Debug::breakpointAt(std::uint32_t address) const {
    if (!(m_fpControl & 1))
        return false;
    for (const std::uint32_t comparator : m_fpComparators) {
        const std::uint32_t match = comparator >> 30;
        const std::uint32_t word = comparator & 0x1ffffffc;
        if ((comparator & 1) && word == (address & 0x1ffffffc) &&
            match == ((address & 2) ? 2u : 1u))
            return true;
        if ((comparator & 1) && match == 3 && word == (address & 0x1ffffffc))
            return true;
    }
    return false;
}

std::uint32_t CortexM0Debug::dhcsr() {
    std::uint32_t value = m_control | regReady;
    if (m_halted)
        value |= statusHalt;
    if (m_lockedUp)
        value |= statusLockup;
    if (m_retired)
        value |= statusRetire;
    if (m_resetSeen)
        value |= statusReset;
    // The sticky flags clear when read.
    m_retired = false;
    m_resetSeen = false;
    return value;
}

std::optional<std::uint32_t> CortexM0Debug::read(std::uint32_t address) {
    if (address % 4)
        return std::nullopt;
    switch (address) {
    case cpuid:
        return 0x410cc200;
    case aircr:
        return 0xfa050000;
    case dfsr:
        return m_dfsr;
    case dhcsrAddress:
        return dhcsr();
    case dcrsr:
        return 0;
    case dcrdr:
        return m_dcrdr;
    case demcr:
        return m_demcr;
    case fpCtrl:
        return m_fpControl | fpNumCode;
    case fpRemap:
        return 0;
    case dwtCtrl:
        return m_dwtControl;
    default:
        if (const auto* kept = unitRegister(address))
            return *kept;
        // The rest of the system control space reads as zero, as its reset values do.
        return address >= 0xe000e000 && address < 0xe000f000 ? std::optional<std::uint32_t>(0)
                                                             : std::nullopt;
    }
}

std::optional<CortexM0Debug::Request> CortexM0Debug::write(std::uint32_t address,
                                                           std::uint32_t value) {
    if (address % 4)
        return std::nullopt;
    switch (address) {
    case aircr:
        if ((value & 0xffff0000) == vectKey && (value & sysResetReq))
            return Request::systemReset;
        return Request::none;
    case dfsr:
        m_dfsr &= ~value;
        return Request::none;
    case dhcsrAddress:
        if ((value & 0xffff0000) == dbgKey)
            writeDhcsr(value);
        return Request::none;
    case dcrsr:
        transferRegister(value);
        return Request::none;
    case dcrdr:
        m_dcrdr = value;
        return Request::none;
    case demcr:
        m_demcr = value & 0x010007f1;
        return Request::none;
    case fpCtrl:
        if (value & fpKey)
            m_fpControl = value & 1;
        return Request::none;
    case dwtCtrl:
        return Request::none;
    default:
        if (auto* kept = unitRegister(address)) {
            *kept = value;
            return Request::none;
        }
        return address >= 0xe000e000 && address < 0xe000f000 ? std::optional<Request>(Request::none)
                                                             : std::nullopt;
    }
}

void CortexM0Debug::writeDhcsr(std::uint32_t value) {
    m_control = value & (debugEn | haltBit | step | maskInts);
    if (!(m_control & debugEn)) {
        m_control = 0;
        m_halted = false;
        return;
    }
    if (m_control & haltBit) {
        if (!m_halted)
            halt(haltRequest);
        return;
    }
    if (m_halted) {
        m_halted = false;
        m_core.forgetLoop();
    }
}

void CortexM0Debug::halt(std::uint32_t reason) {
    m_halted = true;
    m_lockedUp = false; // entering debug state leaves lockup
    m_control |= haltBit;
    m_dfsr |= reason;
}

void CortexM0Debug::systemReset() {
    m_resetSeen = true;
    m_lockedUp = false;
    m_halted = false;
    if ((m_control & debugEn) && (m_demcr & vcCoreReset))
        halt(vectorCatch);
}

// DCRSR: bit 16 writes DCRDR into the register, else the register goes to DCRDR.
void CortexM0Debug::transferRegister(std::uint32_t selector) {
    const std::uint32_t index = selector & 0x7f;
    if (selector & (1u << 16))
        m_core.setRegisterAt(index, m_dcrdr);
    else if (const auto value = m_core.registerAt(index))
        m_dcrdr = *value;
}

} // namespace vbench
