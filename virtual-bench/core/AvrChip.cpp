// SPDX-License-Identifier: GPL-3.0-or-later
#include "AvrChip.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace vbench {

namespace {

std::string hexByte(std::uint8_t value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02x", value);
    return text;
}

} // namespace

AvrChip::AvrChip(AvrPart part, StateDirectory directory)
    : m_part(part)
    , m_directory(std::move(directory))
    , m_pageBuffer(part.flashPageSize, 0xff) {
    loadFuses();
}

MemoryFile& AvrChip::flash() {
    if (!m_flash)
        m_flash = std::make_unique<MemoryFile>(m_directory.file(flashFile), m_part.flashSize, 0xff);
    return *m_flash;
}

MemoryFile& AvrChip::eeprom() {
    if (!m_eeprom)
        m_eeprom =
            std::make_unique<MemoryFile>(m_directory.file(eepromFile), m_part.eepromSize, 0xff);
    return *m_eeprom;
}

void AvrChip::loadFuses() {
    m_fuses = m_part.factoryFuses;
    std::ifstream fuses(m_directory.file(fusesFile));
    std::array<std::uint8_t, 3> read{};
    bool complete = true;
    for (std::size_t i = 0; i < read.size(); ++i) {
        std::string word;
        unsigned value = 0;
        if (!(fuses >> word))
            complete = false;
        else if (i == 2 && word == "--" && !m_part.hasExtendedFuse())
            read[i] = 0xff;
        else if (std::istringstream(word) >> std::hex >> value && value <= 0xff)
            read[i] = static_cast<std::uint8_t>(value | ~m_part.fuseBits[i]);
        else
            complete = false;
    }
    if (complete)
        m_fuses = read;
    std::ifstream lock(m_directory.file(lockFile));
    unsigned value = 0;
    const bool lockRead = static_cast<bool>(lock >> std::hex >> value) && value <= 0xff;
    if (lockRead)
        m_lock = static_cast<std::uint8_t>(value | ~m_part.lockBits);
    // A new chip: its factory settings are on file from the first instruction on.
    if (!complete || !lockRead)
        saveFuses();
}

void AvrChip::saveFuses() const {
    std::ofstream fuses(m_directory.file(fusesFile), std::ios::trunc);
    fuses << hexByte(m_fuses[0]) << ' ' << hexByte(m_fuses[1]) << ' '
          << (m_part.hasExtendedFuse() ? hexByte(m_fuses[2]) : "--") << '\n';
    std::ofstream lock(m_directory.file(lockFile), std::ios::trunc);
    lock << hexByte(m_lock) << '\n';
    if (!fuses || !lock)
        m_directory.report("avr: cannot write " + m_directory.file(fusesFile) + " or " +
                           m_directory.file(lockFile));
}

void AvrChip::holdInReset(bool low) {
    m_resetLow = low;
    if (!low)
        m_programming = false;
}

AvrChip::Instruction AvrChip::transfer(const Instruction& in) {
    // A running chip, or one not yet enabled for programming, does not drive its output.
    if (!m_resetLow)
        return {0xff, 0xff, 0xff, 0xff};
    if (!m_programming) {
        if (in[0] != 0xac || in[1] != 0x53)
            return {0xff, 0xff, 0xff, 0xff};
        m_programming = true;
    }
    // Each byte shifted in comes back out during the next one; reads put their answer in
    // the last byte instead.
    return {0x00, in[0], in[1], execute(in)};
}

std::uint8_t AvrChip::execute(const Instruction& in) {
    const std::uint32_t flashWords = m_part.flashSize / 2;
    const std::uint32_t word = ((static_cast<std::uint32_t>(in[1]) << 8) | in[2]) % flashWords;
    const std::uint32_t eepromAddress =
        ((static_cast<std::uint32_t>(in[1]) << 8) | in[2]) % m_part.eepromSize;
    switch (in[0]) {
    case 0x20: // read program memory, low and high byte of a word
    case 0x28:
        return flash().at(word * 2 + (in[0] == 0x28 ? 1 : 0));
    case 0x40: // load program memory page, low and high byte
    case 0x48: {
        const std::uint32_t pageWords = m_part.flashPageSize / 2;
        m_pageBuffer[(in[2] % pageWords) * 2 + (in[0] == 0x48 ? 1 : 0)] = in[3];
        return in[2];
    }
    case 0x4c:
        writeFlashPage(word);
        return in[2];
    case 0xa0:
        return eeprom().at(eepromAddress);
    case 0xc0: {
        const std::uint8_t byte[] = {in[3]};
        eeprom().write(eepromAddress, byte);
        return in[2];
    }
    case 0xc1:
        m_eepromPage[in[2] % m_eepromPage.size()] = in[3];
        return in[2];
    case 0xc2:
        writeEepromPage(eepromAddress);
        return in[2];
    case 0x30: // signature byte
        return (in[2] & 3) < 3 ? m_part.signature[in[2] & 3] : 0xff;
    case 0x38:
        return m_part.calibration;
    case 0x50:
        return in[1] == 0x08 ? m_fuses[2] : m_fuses[0];
    case 0x58:
        return in[1] == 0x08 ? m_fuses[1] : m_lock;
    case 0xf0: // busy poll: every instruction completes before the next arrives
        return 0x00;
    case 0xac:
        return writeInstruction(in);
    default:
        return in[2];
    }
}

std::uint8_t AvrChip::writeInstruction(const Instruction& in) {
    const auto fuse = [&](std::size_t which) {
        // Bits a fuse byte does not have stay 1 whatever is written.
        m_fuses[which] =
            static_cast<std::uint8_t>((in[3] & m_part.fuseBits[which]) | ~m_part.fuseBits[which]);
        saveFuses();
    };
    if ((in[1] & 0xe0) == 0x80)
        chipErase();
    else if (in[1] == 0xa0)
        fuse(0);
    else if (in[1] == 0xa8)
        fuse(1);
    else if (in[1] == 0xa4 && m_part.hasExtendedFuse())
        fuse(2);
    else if ((in[1] & 0xe0) == 0xe0) {
        // Lock bits are only ever programmed (cleared); a chip erase sets them again.
        m_lock &= static_cast<std::uint8_t>(in[3] | ~m_part.lockBits);
        saveFuses();
    }
    return in[2];
}

void AvrChip::chipErase() {
    flash().fill(0, flash().size(), 0xff);
    if (m_fuses[1] & m_part.eesaveBit)
        eeprom().fill(0, eeprom().size(), 0xff);
    m_lock = 0xff;
    std::fill(m_pageBuffer.begin(), m_pageBuffer.end(), 0xff);
    saveFuses();
}

void AvrChip::writeFlashPage(std::uint32_t wordAddress) {
    const std::uint32_t start = wordAddress * 2 / m_part.flashPageSize * m_part.flashPageSize;
    const auto current = flash().bytes().subspan(start, m_part.flashPageSize);
    std::vector<std::uint8_t> page(current.begin(), current.end());
    for (std::size_t i = 0; i < page.size(); ++i)
        page[i] &= m_pageBuffer[i];
    flash().write(start, page);
    // The page buffer empties itself after a write, as the chip's does.
    std::fill(m_pageBuffer.begin(), m_pageBuffer.end(), 0xff);
}

void AvrChip::writeEepromPage(std::uint32_t address) {
    const std::uint32_t start = address / m_eepromPage.size() * m_eepromPage.size();
    for (std::size_t i = 0; i < m_eepromPage.size(); ++i) {
        if (m_eepromPage[i]) {
            const std::uint8_t byte[] = {*m_eepromPage[i]};
            eeprom().write(start + i, byte);
        }
        m_eepromPage[i].reset();
    }
}

} // namespace vbench
