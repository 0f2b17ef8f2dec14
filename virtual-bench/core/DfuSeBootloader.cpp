// SPDX-License-Identifier: GPL-3.0-or-later
#include "DfuSeBootloader.h"

#include "Descriptors.h"

#include <algorithm>

namespace vbench {

namespace {

enum Request : std::uint8_t {
    detach = 0,
    dnload = 1,
    uploadRequest = 2,
    getStatusRequest = 3,
    clearStatus = 4,
    getState = 5,
    abortRequest = 6,
};

enum Command : std::uint8_t {
    setAddress = 0x21,
    erase = 0x41,
    readUnprotect = 0x92,
};

// Poll timeouts the boot loader asks for, in milliseconds. A real chip asks for far more
// (seconds for a mass erase); the emulation does the work at once and keeps runs quick.
// 100 is avoided for the mass erase: dfu-util takes it for a known lie and waits 35 s.
constexpr std::uint32_t setAddressMs = 1;
constexpr std::uint32_t eraseMs = 10;
constexpr std::uint32_t massEraseMs = 50;
constexpr std::uint32_t writeMs = 5;
constexpr std::uint32_t leaveMs = 1;

VirtualDevice::Descriptors bootloaderDescriptors(const Stm32Model& model) {
    descriptors::DeviceFields fields;
    fields.vendorId = 0x0483;
    fields.productId = 0xdf11;
    fields.deviceVersion = 0x2200;
    fields.manufacturerIndex = 1;
    fields.productIndex = 2;
    fields.serialIndex = 3;

    std::vector<std::uint8_t> body;
    std::vector<std::string> strings{"STMicroelectronics", "STM32  BOOTLOADER",
                                     model.serialNumber()};
    const auto& names = model.interfaceNames();
    for (std::size_t alternate = 0; alternate < names.size(); ++alternate) {
        const auto interface =
            descriptors::interfaceDescriptor(0, static_cast<std::uint8_t>(alternate), 0, 0xfe, 0x01,
                                             0x02, static_cast<std::uint8_t>(strings.size() + 1));
        body.insert(body.end(), interface.begin(), interface.end());
        strings.push_back(names[alternate]);
    }
    // DFU functional descriptor: will detach, can upload and download; DfuSe version 1.1a.
    const std::uint8_t functional[] = {9,
                                       0x21,
                                       0x0b,
                                       0xff,
                                       0x00,
                                       DfuSeBootloader::transferSize & 0xff,
                                       DfuSeBootloader::transferSize >> 8,
                                       0x1a,
                                       0x01};
    body.insert(body.end(), std::begin(functional), std::end(functional));
    return {descriptors::deviceDescriptor(fields),
            descriptors::configurationDescriptor(1, 0xc0, 0x32, body), strings};
}

} // namespace

DfuSeBootloader::DfuSeBootloader(ModuleFile file, Stm32Model model, bool lateError,
                                 UnplugTrigger trigger)
    : VirtualDevice(std::move(file), bootloaderDescriptors(model), trigger)
    , m_model(std::move(model))
    , m_lateError(lateError) {}

MemoryFile& DfuSeBootloader::flash() {
    if (!m_flash)
        m_flash = std::make_unique<MemoryFile>(stateFile(flashFile), m_model.flashSize(), 0xff);
    return *m_flash;
}

void DfuSeBootloader::alternateSelected(int, int alternate) {
    m_alternate = alternate;
}

void DfuSeBootloader::resetTaken() {
    m_state = dfuIdle;
    m_status = ok;
    m_alternate = 0;
}

ControlResult DfuSeBootloader::classOrVendorRequest(const SetupPacket& setup, DataStage data) {
    if (setup.type() != SetupPacket::classRequest ||
        setup.recipient() != SetupPacket::toInterface || setup.index != 0)
        return ControlResult::failed(UsbStatus::stall);
    switch (setup.request) {
    case dnload:
        return setup.isIn() ? refuse() : download(setup, data);
    case uploadRequest:
        return setup.isIn() ? upload(setup, data) : refuse();
    case getStatusRequest: {
        const ControlResult result = getStatus(data);
        if (m_resetsAfterStatus)
            leaveBus();
        return result;
    }
    case clearStatus:
        if (m_state != dfuError)
            return refuse();
        m_state = dfuIdle;
        m_status = ok;
        return ControlResult::done(0);
    case getState:
        if (data.empty())
            return ControlResult::failed(UsbStatus::stall);
        data[0] = m_state;
        return ControlResult::done(1);
    case abortRequest:
        if (m_state != dfuIdle && m_state != downloadSync && m_state != downloadIdle &&
            m_state != manifestSync && m_state != uploadIdle)
            return refuse();
        m_state = dfuIdle;
        return ControlResult::done(0);
    case detach:
    default:
        return refuse();
    }
}

// A request the state does not allow: a stall, and dfuERROR until CLRSTATUS, as DFU 1.1 has it.
ControlResult DfuSeBootloader::refuse() {
    m_state = dfuError;
    m_status = errStalledPacket;
    return ControlResult::failed(UsbStatus::stall);
}

ControlResult DfuSeBootloader::download(const SetupPacket& setup, DataStage data) {
    if ((m_state != dfuIdle && m_state != downloadIdle) || data.size() > transferSize)
        return refuse();
    if (data.empty()) {
        m_state = manifestSync;
        return ControlResult::done(0);
    }
    m_pendingBlock = setup.value;
    m_pendingData.assign(data.begin(), data.end());
    m_state = downloadSync;
    return ControlResult::done(static_cast<int>(data.size()));
}

ControlResult DfuSeBootloader::upload(const SetupPacket& setup, DataStage data) {
    if (m_state != dfuIdle && m_state != uploadIdle)
        return refuse();
    if (setup.value == 0) {
        const std::uint8_t commands[] = {0x00, setAddress, erase, readUnprotect};
        const std::size_t length = std::min(data.size(), sizeof commands);
        std::copy_n(commands, length, data.begin());
        m_state = dfuIdle;
        return ControlResult::done(static_cast<int>(length));
    }
    const std::uint32_t address =
        m_addressPointer + (static_cast<std::uint32_t>(setup.value) - 2) * transferSize;
    if (setup.value < 2 || m_alternate != 0 || !m_model.flashHolds(address, 1)) {
        refuse();
        m_status = errTarget;
        return ControlResult::failed(UsbStatus::stall);
    }
    const std::uint32_t offset = address - Stm32Model::flashBase;
    const std::size_t length = std::min<std::size_t>(data.size(), m_model.flashSize() - offset);
    const auto bytes = flash().bytes().subspan(offset, length);
    std::copy(bytes.begin(), bytes.end(), data.begin());
    // A short block ends the upload.
    m_state = length < data.size() ? dfuIdle : uploadIdle;
    return ControlResult::done(static_cast<int>(length));
}

ControlResult DfuSeBootloader::getStatus(DataStage data) {
    std::uint32_t pollTimeout = 0;
    switch (m_state) {
    case downloadSync:
        execute();
        m_state = downloadBusy;
        pollTimeout = m_pollTimeout;
        break;
    case downloadBusy:
        m_state = m_outcome == ok ? downloadIdle : dfuError;
        m_status = m_outcome;
        break;
    case manifestSync:
        if (m_lateError) {
            leaveBus();
            return ControlResult::failed(UsbStatus::io);
        }
        // Answers, then starts the application at the address pointer: gone from the bus.
        m_state = manifest;
        pollTimeout = leaveMs;
        m_resetsAfterStatus = true;
        break;
    default:
        break;
    }
    const std::uint8_t status[6] = {m_status,
                                    static_cast<std::uint8_t>(pollTimeout & 0xff),
                                    static_cast<std::uint8_t>((pollTimeout >> 8) & 0xff),
                                    static_cast<std::uint8_t>((pollTimeout >> 16) & 0xff),
                                    m_state,
                                    0};
    const std::size_t length = std::min(data.size(), sizeof status);
    std::copy_n(status, length, data.begin());
    return ControlResult::done(static_cast<int>(length));
}

void DfuSeBootloader::execute() {
    m_pollTimeout = writeMs;
    if (m_pendingBlock == 0)
        m_outcome = command(m_pendingData);
    else if (m_pendingBlock == 1)
        m_outcome = errTarget;
    else
        m_outcome = write(m_pendingBlock, m_pendingData);
}

DfuSeBootloader::Status DfuSeBootloader::command(const std::vector<std::uint8_t>& bytes) {
    const bool withAddress = bytes.size() == 5;
    const std::uint32_t address = withAddress ? descriptors::readLe32(bytes, 1) : 0;
    if (bytes[0] == setAddress && withAddress) {
        m_pollTimeout = setAddressMs;
        // Only the internal flash (alternate setting 0) is emulated.
        if (m_alternate != 0 || !m_model.flashHolds(address, 0))
            return errTarget;
        m_addressPointer = address;
        return ok;
    }
    if (bytes[0] == erase && withAddress) {
        m_pollTimeout = eraseMs;
        const auto sector = m_model.sectorAt(address);
        if (m_alternate != 0 || !sector)
            return errTarget;
        flash().fill(sector->first - Stm32Model::flashBase, sector->second, 0xff);
        return ok;
    }
    if ((bytes[0] == erase || bytes[0] == readUnprotect) && bytes.size() == 1) {
        m_pollTimeout = massEraseMs;
        flash().fill(0, m_model.flashSize(), 0xff);
        // Removing the read protection ends with a reset of the chip.
        m_resetsAfterStatus = bytes[0] == readUnprotect;
        return ok;
    }
    return errStalledPacket;
}

DfuSeBootloader::Status DfuSeBootloader::write(std::uint16_t block,
                                               const std::vector<std::uint8_t>& bytes) {
    const std::uint32_t address =
        m_addressPointer + (static_cast<std::uint32_t>(block) - 2) * transferSize;
    if (m_alternate != 0 || !m_model.flashHolds(address, static_cast<std::uint32_t>(bytes.size())))
        return errTarget;
    const std::uint32_t offset = address - Stm32Model::flashBase;
    const auto current = flash().bytes().subspan(offset, bytes.size());
    const auto programmed =
        m_model.program(std::vector<std::uint8_t>(current.begin(), current.end()), bytes);
    flash().write(offset, programmed.bytes);
    return programmed.complete ? ok : errProg;
}

} // namespace vbench
