// SPDX-License-Identifier: GPL-3.0-or-later
#include "F0FlashController.h"

#include <vector>

namespace vbench {

namespace {

enum Register : std::uint32_t {
    acr = 0x00,
    keyr = 0x04,
    optkeyr = 0x08,
    sr = 0x0c,
    cr = 0x10,
    ar = 0x14,
    obr = 0x1c,
    wrpr = 0x20,
};

constexpr std::uint32_t key1 = 0x45670123;
constexpr std::uint32_t key2 = 0xcdef89ab;
// Reads of SR that show BSY after an operation.
constexpr int programBusyReads = 1;
constexpr int eraseBusyReads = 3;

} // namespace

F0FlashController::F0FlashController(std::string flashPath, bool writeProtect)
    : m_path(std::move(flashPath))
    , m_writeProtect(writeProtect) {}

MemoryFile& F0FlashController::flash() {
    if (!m_flash)
        m_flash.emplace(m_path, flashSize, 0xff);
    return *m_flash;
}

void F0FlashController::reset() {
    m_control = lock;
    m_status = 0;
    m_address = 0;
    m_keysTaken = 0;
    m_busyReads = 0;
}

bool F0FlashController::takeReadSideEffect() {
    const bool taken = m_readSideEffect;
    m_readSideEffect = false;
    return taken;
}

bool F0FlashController::pageProtected(std::uint32_t offset) const {
    return m_writeProtect && offset / pageSize < protectedPages;
}

std::optional<std::uint32_t> F0FlashController::readFlash(std::uint32_t offset, int size) {
    if (offset >= flashSize || flashSize - offset < static_cast<std::uint32_t>(size))
        return std::nullopt;
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | flash().at(offset + static_cast<std::uint32_t>(i));
    return value;
}

// Programming: a half-word at a time while PG is set, onto an erased half-word unless it
// writes zeros; anything else is a bus error, as on the chip.
bool F0FlashController::writeFlash(std::uint32_t offset, int size, std::uint32_t value) {
    if (size != 2 || offset % 2 || offset >= flashSize || !(m_control & pg) || (m_control & lock))
        return false;
    if (pageProtected(offset)) {
        finish(wrprterr, programBusyReads);
        return true;
    }
    const auto old = *readFlash(offset, 2);
    if (old != 0xffff && (value & 0xffff) != 0) {
        finish(pgerr, programBusyReads);
        return true;
    }
    const std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(value),
                                          static_cast<std::uint8_t>(value >> 8)};
    flash().write(offset, bytes);
    finish(0, programBusyReads);
    return true;
}

void F0FlashController::finish(std::uint32_t errors, int busyReads) {
    m_status |= errors ? errors : eop;
    m_busyReads = busyReads;
}

std::optional<std::uint32_t> F0FlashController::readRegister(std::uint32_t offset) {
    switch (offset) {
    case acr:
        return 0;
    case keyr:
    case optkeyr:
        return 0;
    case sr:
        if (m_busyReads > 0) {
            --m_busyReads;
            m_readSideEffect = true;
            return m_status | bsy;
        }
        return m_status;
    case cr:
        return m_control;
    case ar:
        return m_address;
    case obr:
        // Read protection level 0, factory user option bytes, data bytes 0xff.
        return 0x00ff00f0;
    case wrpr:
        return m_writeProtect ? 0xfffffffe : 0xffffffff;
    default:
        return std::nullopt;
    }
}

bool F0FlashController::writeRegister(std::uint32_t offset, std::uint32_t value) {
    switch (offset) {
    case acr:
    case optkeyr:
        return true;
    case keyr:
        // KEY1 then KEY2 unlocks CR; any other value keeps it locked until a reset.
        if (m_keysTaken == 0 && value == key1) {
            m_keysTaken = 1;
        } else if (m_keysTaken == 1 && value == key2) {
            m_keysTaken = 2;
            m_control &= ~lock;
        } else {
            m_keysTaken = 3;
        }
        return true;
    case sr:
        m_status &= ~(value & (pgerr | wrprterr | eop));
        return true;
    case cr:
        writeControl(value);
        return true;
    case ar:
        if (!(m_control & lock))
            m_address = value;
        return true;
    case obr:
    case wrpr:
        return true;
    default:
        return false;
    }
}

void F0FlashController::writeControl(std::uint32_t value) {
    if (m_control & lock)
        return; // only a reset, or the keys, open it again
    m_control = value & (pg | per | mer | strt | lock);
    if (m_control & lock)
        m_keysTaken = 0;
    if (!(m_control & strt))
        return;
    m_control &= ~strt;
    if (m_control & mer) {
        if (m_writeProtect) // some page is protected
            finish(wrprterr, eraseBusyReads);
        else
            erase(0, flashSize);
    } else if (m_control & per) {
        const std::uint32_t offset = (m_address - flashBase) & ~(pageSize - 1);
        if (m_address < flashBase || offset >= flashSize)
            finish(0, eraseBusyReads); // an address outside the flash erases nothing
        else if (pageProtected(offset))
            finish(wrprterr, eraseBusyReads);
        else
            erase(offset, pageSize);
    }
}

void F0FlashController::erase(std::uint32_t offset, std::uint32_t count) {
    flash().fill(offset, count, 0xff);
    finish(0, eraseBusyReads);
}

std::uint16_t F0FlashController::optionHalfword(std::uint32_t index) const {
    // Each option byte with its complement in the upper byte: RDP level 0 (0xaa), USER and
    // DATA as from the factory, WRP0 with the first protection block's bit clear when
    // protected.
    const std::uint8_t values[] = {
        0xaa, 0xff, 0xff, 0xff, static_cast<std::uint8_t>(m_writeProtect ? 0xfe : 0xff),
        0xff, 0xff, 0xff};
    const std::uint8_t value = index < 8 ? values[index] : 0xff;
    return static_cast<std::uint16_t>(value | ((value ^ 0xff) << 8));
}

} // namespace vbench
