// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Stm32F0Chip.h"
#include "VirtualDevice.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vbench {

// An ST-Link probe with firmware J37 and an STM32F07x on its SWD lines, as openocd's
// high-level adapter driver uses it: 16-byte commands on the bulk OUT endpoint (0x02 on a V2,
// 0483:3748; 0x01 on a V2-1, 0483:374b), answers and read data on 0x81, write data in a bulk
// transfer after its command. The commands: version, current mode, leaving DFU and debug
// mode, target voltage, entering SWD, the SWD clock, the ID codes, opening and closing the
// access port, memory reads and writes of 8, 16 and 32 bits with the last transfer's status,
// core and debug registers, the system reset and NRST. The chip runs while the host talks: a
// turn of the core after every command. The flash is swd-flash.bin in the state directory.
//
// With noTarget the probe answers but finds no chip: the target voltage reads 0 and entering
// SWD fails. A command the bench does not know goes unanswered, and bench.log says which.
class StlinkProbe : public VirtualDevice {
public:
    enum class Model { v2, v2_1 };
    static constexpr const char* flashFile = "swd-flash.bin";

    StlinkProbe(ModuleFile file, Model model, bool writeProtect, bool noTarget,
                UnplugTrigger trigger);

protected:
    ControlResult classOrVendorRequest(const SetupPacket& setup, DataStage data) override;
    ControlResult bulkTransfer(std::uint8_t endpoint, DataStage data) override;

private:
    struct PendingWrite {
        std::uint32_t address;
        std::uint32_t length;
        int width;
    };
    using Command = std::array<std::uint8_t, 16>;

    void command(const Command& bytes);
    void debugCommand(const Command& bytes);
    void memoryRead(std::uint32_t address, std::uint32_t length, int width);
    void memoryWrite(const PendingWrite& write, DataStage data);
    void answer(std::vector<std::uint8_t> bytes) { m_reply = std::move(bytes); }
    void answerStatus(std::uint8_t status, std::size_t length);
    void answerWord(std::uint32_t value, bool ok);
    bool connected() const;
    Stm32F0Chip& chip();

    Model m_model;
    bool m_writeProtect;
    bool m_noTarget;
    std::unique_ptr<Stm32F0Chip> m_chip;
    std::vector<std::uint8_t> m_reply;
    std::optional<PendingWrite> m_pendingWrite;
    std::uint8_t m_mode = 0; // DFU, as a probe starts
    std::uint8_t m_lastStatus = 0x80;
    std::uint32_t m_faultAddress = 0;
};

} // namespace vbench
