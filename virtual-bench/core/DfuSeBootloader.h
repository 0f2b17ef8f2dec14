// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MemoryFile.h"
#include "Stm32Model.h"
#include "VirtualDevice.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vbench {

// An STM32 ROM boot loader in DFU mode (0483:df11) with ST's DfuSe extensions: DNLOAD block 0
// carries the commands (set address pointer, erase a page or sector, mass erase, read
// unprotect), blocks from 2 on write flash at the address pointer, and a DNLOAD of no data
// followed by GETSTATUS leaves DFU mode. Commands and writes take effect at the GETSTATUS
// that follows them, which answers dfuDNBUSY; the next one tells how they went. The flash is
// dfu-flash.bin in the state directory, from 0x08000000.
//
// With lateError the boot loader resets before it answers the GETSTATUS after the leave
// request, as some boards do: the image is written, yet the tool sees the request fail.
class DfuSeBootloader : public VirtualDevice {
public:
    static constexpr std::uint16_t transferSize = 2048;
    static constexpr const char* flashFile = "dfu-flash.bin";

    DfuSeBootloader(ModuleFile file, Stm32Model model, bool lateError, UnplugTrigger trigger);

protected:
    ControlResult classOrVendorRequest(const SetupPacket& setup, DataStage data) override;
    void alternateSelected(int interfaceNumber, int alternate) override;
    void resetTaken() override;

private:
    enum State : std::uint8_t {
        dfuIdle = 2,
        downloadSync = 3,
        downloadBusy = 4,
        downloadIdle = 5,
        manifestSync = 6,
        manifest = 7,
        uploadIdle = 9,
        dfuError = 10,
    };
    enum Status : std::uint8_t {
        ok = 0,
        errTarget = 1,
        errProg = 6,
        errStalledPacket = 15,
    };

    ControlResult download(const SetupPacket& setup, DataStage data);
    ControlResult upload(const SetupPacket& setup, DataStage data);
    ControlResult getStatus(DataStage data);
    ControlResult refuse();
    void execute();
    Status command(const std::vector<std::uint8_t>& bytes);
    Status write(std::uint16_t block, const std::vector<std::uint8_t>& bytes);
    MemoryFile& flash();

    Stm32Model m_model;
    bool m_lateError;
    std::unique_ptr<MemoryFile> m_flash;
    State m_state = dfuIdle;
    Status m_status = ok;
    int m_alternate = 0;
    std::uint32_t m_addressPointer = Stm32Model::flashBase;
    std::uint16_t m_pendingBlock = 0;
    std::vector<std::uint8_t> m_pendingData;
    Status m_outcome = ok;
    std::uint32_t m_pollTimeout = 0;
    bool m_resetsAfterStatus = false;
};

} // namespace vbench
