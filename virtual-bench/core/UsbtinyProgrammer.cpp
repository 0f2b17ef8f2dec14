// SPDX-License-Identifier: GPL-3.0-or-later
#include "UsbtinyProgrammer.h"

#include "Descriptors.h"

#include <algorithm>

namespace vbench {

namespace {

enum Request : std::uint8_t {
    echo = 0,
    powerUp = 5,
    powerDown = 6,
    spi = 7,
    pollBytes = 8,
    flashRead = 9,
    flashWrite = 10,
    eepromRead = 11,
    eepromWrite = 12,
};

constexpr std::uint16_t resetLow = 0;

VirtualDevice::Descriptors programmerDescriptors() {
    descriptors::DeviceFields fields;
    fields.usbVersion = 0x0110;
    fields.deviceClass = 0xff;
    fields.maxPacketSize0 = 8;
    fields.vendorId = 0x1781;
    fields.productId = 0x0c9f;
    fields.deviceVersion = 0x0104;
    fields.productIndex = 1;
    const auto interface = descriptors::interfaceDescriptor(0, 0, 0, 0xff, 0, 0, 0);
    return {descriptors::deviceDescriptor(fields),
            descriptors::configurationDescriptor(1, 0x80, 0x32, interface),
            {"USBtiny"}};
}

} // namespace

UsbtinyProgrammer::UsbtinyProgrammer(ModuleFile file, AvrPart part, UnplugTrigger trigger)
    : VirtualDevice(std::move(file), programmerDescriptors(), trigger)
    , m_part(part) {}

AvrChip& UsbtinyProgrammer::chip() {
    if (!m_chip)
        m_chip = std::make_unique<AvrChip>(m_part, stateDirectory());
    return *m_chip;
}

void UsbtinyProgrammer::resetTaken() {
    if (m_chip)
        m_chip->holdInReset(false);
}

ControlResult UsbtinyProgrammer::classOrVendorRequest(const SetupPacket& setup, DataStage data) {
    if (setup.type() != SetupPacket::vendor)
        return ControlResult::failed(UsbStatus::stall);
    switch (setup.request) {
    case echo: {
        const std::uint8_t packet[] = {setup.requestType,
                                       setup.request,
                                       static_cast<std::uint8_t>(setup.value & 0xff),
                                       static_cast<std::uint8_t>(setup.value >> 8),
                                       static_cast<std::uint8_t>(setup.index & 0xff),
                                       static_cast<std::uint8_t>(setup.index >> 8),
                                       static_cast<std::uint8_t>(setup.length & 0xff),
                                       static_cast<std::uint8_t>(setup.length >> 8)};
        const std::size_t length = std::min(data.size(), sizeof packet);
        std::copy_n(packet, length, data.begin());
        return ControlResult::done(static_cast<int>(length));
    }
    case powerUp:
        chip().holdInReset(setup.index == resetLow);
        return ControlResult::done(0);
    case powerDown:
        chip().holdInReset(false);
        return ControlResult::done(0);
    case spi: {
        const auto out = chip().transfer({static_cast<std::uint8_t>(setup.value & 0xff),
                                          static_cast<std::uint8_t>(setup.value >> 8),
                                          static_cast<std::uint8_t>(setup.index & 0xff),
                                          static_cast<std::uint8_t>(setup.index >> 8)});
        const std::size_t length = std::min(data.size(), out.size());
        std::copy_n(out.begin(), length, data.begin());
        return ControlResult::done(static_cast<int>(length));
    }
    case pollBytes:
        return ControlResult::done(0);
    case flashRead:
    case eepromRead:
        return blockRead(setup, data, setup.request == eepromRead);
    case flashWrite:
    case eepromWrite:
        return blockWrite(setup, data, setup.request == eepromWrite);
    default:
        // The programmer's own port requests are not emulated.
        return ControlResult::failed(UsbStatus::stall);
    }
}

ControlResult UsbtinyProgrammer::blockRead(const SetupPacket& setup, DataStage data, bool eeprom) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::uint32_t address = setup.index + static_cast<std::uint32_t>(i);
        const AvrChip::Instruction read =
            eeprom ? AvrChip::Instruction{0xa0, static_cast<std::uint8_t>(address >> 8),
                                          static_cast<std::uint8_t>(address), 0}
                   : AvrChip::Instruction{static_cast<std::uint8_t>(0x20 | ((address & 1) << 3)),
                                          static_cast<std::uint8_t>(address >> 9),
                                          static_cast<std::uint8_t>(address >> 1), 0};
        data[i] = chip().transfer(read)[3];
    }
    return ControlResult::done(static_cast<int>(data.size()));
}

ControlResult UsbtinyProgrammer::blockWrite(const SetupPacket& setup, DataStage data, bool eeprom) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::uint32_t address = setup.index + static_cast<std::uint32_t>(i);
        const AvrChip::Instruction write =
            eeprom ? AvrChip::Instruction{0xc0, static_cast<std::uint8_t>(address >> 8),
                                          static_cast<std::uint8_t>(address), data[i]}
                   : AvrChip::Instruction{static_cast<std::uint8_t>(0x40 | ((address & 1) << 3)),
                                          static_cast<std::uint8_t>(address >> 9),
                                          static_cast<std::uint8_t>(address >> 1), data[i]};
        chip().transfer(write);
    }
    return ControlResult::done(static_cast<int>(data.size()));
}

} // namespace vbench
