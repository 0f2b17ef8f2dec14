// SPDX-License-Identifier: GPL-3.0-or-later
#include "Stm32Model.h"

namespace vbench {

Stm32Model::Stm32Model(std::vector<SectorRun> sectors, std::vector<std::string> interfaceNames,
                       std::string serialNumber, bool halfwordChecks)
    : m_sectors(std::move(sectors))
    , m_interfaceNames(std::move(interfaceNames))
    , m_serialNumber(std::move(serialNumber))
    , m_halfwordChecks(halfwordChecks) {
    for (const auto& run : m_sectors)
        m_flashSize += static_cast<std::uint32_t>(run.count) * run.size;
}

std::optional<Stm32Model> Stm32Model::named(std::string_view name) {
    constexpr std::uint32_t kib = 1024;
    if (name == "f4")
        return Stm32Model({{4, 16 * kib}, {1, 64 * kib}, {7, 128 * kib}},
                          {"@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg",
                           "@Option Bytes  /0x1FFFC000/01*016 e",
                           "@OTP Memory /0x1FFF7800/01*512 e,01*016 e",
                           "@Device Feature/0xFFFF0000/01*004 e"},
                          "3276385C3438", false);
    if (name == "f0")
        return Stm32Model(
            {{64, 2 * kib}},
            {"@Internal Flash  /0x08000000/64*0002Kg", "@Option Bytes  /0x1FFFF800/01*016 e"},
            "FFFFFFFEFFFF", true);
    return std::nullopt;
}

bool Stm32Model::flashHolds(std::uint32_t address, std::uint32_t length) const {
    return address >= flashBase && address - flashBase <= m_flashSize &&
           length <= m_flashSize - (address - flashBase);
}

std::optional<std::pair<std::uint32_t, std::uint32_t>>
Stm32Model::sectorAt(std::uint32_t address) const {
    if (!flashHolds(address, 1))
        return std::nullopt;
    std::uint32_t start = flashBase;
    for (const auto& run : m_sectors) {
        for (int i = 0; i < run.count; ++i, start += run.size) {
            if (address < start + run.size)
                return std::pair{start, run.size};
        }
    }
    return std::nullopt;
}

Stm32Model::Programmed Stm32Model::program(std::vector<std::uint8_t> old,
                                           const std::vector<std::uint8_t>& data) const {
    if (!m_halfwordChecks) {
        for (std::size_t i = 0; i < data.size(); ++i)
            old[i] &= data[i];
        return {std::move(old), true};
    }
    for (std::size_t i = 0; i < data.size(); i += 2) {
        const bool pair = i + 1 < data.size();
        const bool erased = old[i] == 0xff && (!pair || old[i + 1] == 0xff);
        const bool zeros = data[i] == 0 && (!pair || data[i + 1] == 0);
        if (!erased && !zeros)
            return {std::move(old), false};
        old[i] = data[i];
        if (pair)
            old[i + 1] = data[i + 1];
    }
    return {std::move(old), true};
}

} // namespace vbench
