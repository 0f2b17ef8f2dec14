// SPDX-License-Identifier: GPL-3.0-or-later
#include "Stm32F0Chip.h"

#include <cstdio>

namespace vbench {

namespace {

constexpr std::uint32_t flashAlias = 0x00000000;
constexpr std::uint32_t systemBase = 0x1fff0000;
constexpr std::uint32_t uniqueId = 0x1ffff7ac;
constexpr std::uint32_t flashSizeRegister = 0x1ffff7cc;
constexpr std::uint32_t optionBytes = 0x1ffff800;
constexpr std::uint32_t idcode = 0x20000448;
// Instructions the core executes for one turn of the host; openocd's CRC of a whole image
// takes a few turns.
constexpr int instructionsPerTurn = 1 << 22;

bool inside(std::uint32_t address, int size, std::uint32_t base, std::uint32_t span) {
    return address >= base && address - base < span &&
           span - (address - base) >= static_cast<std::uint32_t>(size);
}

} // namespace

Stm32F0Chip::Stm32F0Chip(std::string flashPath, bool writeProtect, Report report)
    : m_flash(std::move(flashPath), writeProtect)
    , m_debug(m_core)
    , m_report(std::move(report))
    , m_sram(sramSize, 0) {}

std::optional<std::uint32_t> Stm32F0Chip::readSystemMemory(std::uint32_t address, int size) const {
    if (inside(address, size, uniqueId, 12)) {
        const std::uint8_t id[12] = {0x30, 0x00, 0x41, 0x00, 0x12, 0x51,
                                     0x33, 0x35, 0x36, 0x39, 0x38, 0x37};
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | id[address - uniqueId + static_cast<std::uint32_t>(i)];
        return value;
    }
    if (address == flashSizeRegister && size <= 2)
        return size == 1 ? 128 : F0FlashController::flashSize / 1024;
    if (inside(address, size, optionBytes, 16) && address % 2 == 0 && size <= 2) {
        const std::uint16_t half = m_flash.optionHalfword((address - optionBytes) / 2);
        return size == 1 ? half & 0xffu : half;
    }
    if (inside(address, size, optionBytes, 16) && address % 4 == 0 && size == 4)
        return m_flash.optionHalfword((address - optionBytes) / 2) |
               (std::uint32_t{m_flash.optionHalfword((address - optionBytes) / 2 + 1)} << 16);
    return std::nullopt;
}

std::optional<std::uint32_t> Stm32F0Chip::read(std::uint32_t address, int size) {
    if (inside(address, size, flashAlias, F0FlashController::flashSize))
        return m_flash.readFlash(address - flashAlias, size);
    if (inside(address, size, F0FlashController::flashBase, F0FlashController::flashSize))
        return m_flash.readFlash(address - F0FlashController::flashBase, size);
    if (inside(address, size, sramBase, sramSize)) {
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | m_sram[address - sramBase + static_cast<std::uint32_t>(i)];
        return value;
    }
    if (address >= systemBase && address < sramBase)
        return readSystemMemory(address, size);
    // Registers: a narrower read takes its part of the word.
    const auto word = readWord(address & ~3u);
    if (!word || (address % static_cast<std::uint32_t>(size)) != 0)
        return std::nullopt;
    const std::uint32_t shifted = *word >> (8 * (address & 3));
    return size == 4 ? shifted : shifted & ((1u << (8 * size)) - 1);
}

std::optional<std::uint32_t> Stm32F0Chip::readWord(std::uint32_t address) {
    if (inside(address, 4, F0FlashController::registerBase, F0FlashController::registerSpan))
        return m_flash.readRegister(address - F0FlashController::registerBase);
    if (address == dbgmcuBase)
        return idcode;
    if (inside(address, 4, dbgmcuBase + 4, 12))
        return m_dbgmcu[(address - dbgmcuBase - 4) / 4];
    if (inside(address, 4, CortexM0Debug::base, CortexM0Debug::span))
        return m_debug.read(address);
    return std::nullopt;
}

bool Stm32F0Chip::write(std::uint32_t address, int size, std::uint32_t value) {
    if (inside(address, size, flashAlias, F0FlashController::flashSize))
        return m_flash.writeFlash(address - flashAlias, size, value);
    if (inside(address, size, F0FlashController::flashBase, F0FlashController::flashSize))
        return m_flash.writeFlash(address - F0FlashController::flashBase, size, value);
    if (inside(address, size, sramBase, sramSize)) {
        for (int i = 0; i < size; ++i)
            m_sram[address - sramBase + static_cast<std::uint32_t>(i)] =
                static_cast<std::uint8_t>(value >> (8 * i));
        return true;
    }
    return size == 4 && address % 4 == 0 && writeWord(address, value);
}

bool Stm32F0Chip::writeWord(std::uint32_t address, std::uint32_t value) {
    if (inside(address, 4, F0FlashController::registerBase, F0FlashController::registerSpan))
        return m_flash.writeRegister(address - F0FlashController::registerBase, value);
    if (address == dbgmcuBase)
        return true; // IDCODE is read-only
    if (inside(address, 4, dbgmcuBase + 4, 12)) {
        m_dbgmcu[(address - dbgmcuBase - 4) / 4] = value;
        return true;
    }
    if (!inside(address, 4, CortexM0Debug::base, CortexM0Debug::span))
        return false;
    const auto request = m_debug.write(address, value);
    if (!request)
        return false;
    if (*request == CortexM0Debug::Request::systemReset)
        systemReset();
    if (m_debug.halted())
        m_runsApplication = false;
    return true;
}

void Stm32F0Chip::systemReset() {
    m_flash.reset();
    m_core.reset(*m_flash.readFlash(0, 4), *m_flash.readFlash(4, 4));
    m_debug.systemReset();
    m_runsApplication = !m_debug.halted();
}

void Stm32F0Chip::advance() {
    if (m_debug.halted())
        m_runsApplication = false;
    if (m_runsApplication)
        return;
    for (int executed = 0; executed < instructionsPerTurn && m_debug.mayExecute(); ++executed) {
        if (m_debug.debugEnabled() && m_debug.breakpointAt(m_core.registers().r[15])) {
            m_debug.halt(CortexM0Debug::bkpt);
            return;
        }
        const bool stepping = m_debug.stepping();
        const ThumbCore::Step step = m_core.step(*this);
        afterStep(step);
        if (step == ThumbCore::Step::idle)
            return;
        if (stepping && m_debug.mayExecute())
            m_debug.halt(CortexM0Debug::haltRequest);
    }
}

void Stm32F0Chip::afterStep(ThumbCore::Step step) {
    switch (step) {
    case ThumbCore::Step::executed:
    case ThumbCore::Step::idle:
        m_debug.retired();
        return;
    case ThumbCore::Step::breakpoint:
        if (m_debug.debugEnabled()) {
            m_debug.halt(CortexM0Debug::bkpt);
            return;
        }
        char text[96];
        std::snprintf(text, sizeof text,
                      "STM32F0 core locked up: a BKPT at 0x%08x with no debugger attached",
                      static_cast<unsigned>(m_core.registers().r[15]));
        m_report(text);
        m_debug.lockUp();
        return;
    case ThumbCore::Step::lockup:
        m_report("STM32F0 core locked up: " + m_core.lockupReason());
        m_debug.lockUp();
        return;
    }
}

} // namespace vbench
