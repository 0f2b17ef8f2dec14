// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AvrChip.h"
#include "VirtualDevice.h"

#include <memory>

namespace vbench {

// A USBtiny ISP programmer (1781:0c9f) with an AVR chip on its ISP lines. The programmer's
// vendor requests drive the chip: POWERUP holds RESET low (or lets it go), SPI passes one
// four-byte instruction, and the block requests turn each byte of a flash or EEPROM read or
// write into the chip's own instructions, as the programmer's firmware does.
class UsbtinyProgrammer : public VirtualDevice {
public:
    UsbtinyProgrammer(ModuleFile file, AvrPart part, UnplugTrigger trigger);

protected:
    ControlResult classOrVendorRequest(const SetupPacket& setup, DataStage data) override;
    void resetTaken() override;

private:
    ControlResult blockRead(const SetupPacket& setup, DataStage data, bool eeprom);
    ControlResult blockWrite(const SetupPacket& setup, DataStage data, bool eeprom);
    AvrChip& chip();

    AvrPart m_part;
    std::unique_ptr<AvrChip> m_chip;
};

} // namespace vbench
