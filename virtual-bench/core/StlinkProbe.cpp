// SPDX-License-Identifier: GPL-3.0-or-later
#include "StlinkProbe.h"

#include "Descriptors.h"

#include <algorithm>
#include <cstdio>

namespace vbench {

namespace {

enum ProbeCommand : std::uint8_t {
    getVersion = 0xf1,
    debugPrefix = 0xf2,
    dfuCommand = 0xf3,
    getCurrentMode = 0xf5,
    getTargetVoltage = 0xf7,
};

enum DebugCommand : std::uint8_t {
    readMem32 = 0x07,
    writeMem32 = 0x08,
    readMem8 = 0x0c,
    writeMem8 = 0x0d,
    exitDebug = 0x21,
    enter = 0x30,
    readIdcodes = 0x31,
    resetSystem = 0x32,
    readRegister = 0x33,
    writeRegister = 0x34,
    writeDebugRegister = 0x35,
    readDebugRegister = 0x36,
    readAllRegisters = 0x3a,
    getLastRwStatus = 0x3b,
    driveNrst = 0x3c,
    getLastRwStatus2 = 0x3e,
    swdSetFrequency = 0x43,
    readMem16 = 0x47,
    writeMem16 = 0x48,
    initAccessPort = 0x4b,
    closeAccessPort = 0x4c,
};

enum Status : std::uint8_t {
    ok = 0x80,
    apFault = 0x11,
    dpError = 0x16,
};

enum Mode : std::uint8_t { dfuMode = 0, massMode = 1, debugMode = 2 };

constexpr std::uint8_t dfuExit = 0x07;
constexpr std::uint8_t enterSwd = 0xa3;
constexpr std::uint32_t swdIdcode = 0x0bb11477;
constexpr std::uint8_t maxRw8 = 64;
constexpr std::uint32_t maxRw16or32 = 6144;

std::uint32_t le32(const std::array<std::uint8_t, 16>& bytes, std::size_t at) {
    return descriptors::readLe32(bytes, at);
}

void putLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

VirtualDevice::Descriptors probeDescriptors(StlinkProbe::Model model) {
    const bool v2 = model == StlinkProbe::Model::v2;
    descriptors::DeviceFields fields;
    fields.vendorId = 0x0483;
    fields.productId = v2 ? 0x3748 : 0x374b;
    fields.deviceVersion = 0x0100;
    fields.manufacturerIndex = 1;
    fields.productIndex = 2;
    fields.serialIndex = 3;
    auto body = descriptors::interfaceDescriptor(0, 0, 3, 0xff, 0xff, 0xff, 4);
    const std::uint8_t bulk = 2;
    const std::uint8_t out = v2 ? 0x02 : 0x01;
    const std::uint8_t trace = v2 ? 0x83 : 0x82;
    for (const std::uint8_t address : {std::uint8_t{0x81}, out, trace}) {
        const auto endpoint = descriptors::endpointDescriptor(address, bulk, 64, 0);
        body.insert(body.end(), endpoint.begin(), endpoint.end());
    }
    return {
        descriptors::deviceDescriptor(fields),
        descriptors::configurationDescriptor(1, 0x80, 50, body),
        {"STMicroelectronics", "STM32 STLink", v2 ? "3E0A2B0C1F2D" : "066DFF515254", "ST Link"}};
}

} // namespace

StlinkProbe::StlinkProbe(ModuleFile file, Model model, bool writeProtect, bool noTarget,
                         UnplugTrigger trigger)
    : VirtualDevice(std::move(file), probeDescriptors(model), trigger)
    , m_model(model)
    , m_writeProtect(writeProtect)
    , m_noTarget(noTarget) {}

Stm32F0Chip& StlinkProbe::chip() {
    if (!m_chip) {
        const StateDirectory directory = stateDirectory();
        m_chip = std::make_unique<Stm32F0Chip>(
            stateFile(flashFile), m_writeProtect,
            [directory](const std::string& problem) { directory.report(problem); });
        // Powered since the probe was plugged in: the chip runs its application.
        m_chip->systemReset();
    }
    return *m_chip;
}

bool StlinkProbe::connected() const {
    return m_mode == debugMode && !m_noTarget;
}

ControlResult StlinkProbe::classOrVendorRequest(const SetupPacket&, DataStage) {
    return ControlResult::failed(UsbStatus::stall);
}

ControlResult StlinkProbe::bulkTransfer(std::uint8_t endpoint, DataStage data) {
    const std::uint8_t commandEndpoint = m_model == Model::v2 ? 0x02 : 0x01;
    if (endpoint == 0x81) {
        if (m_reply.empty())
            return ControlResult::failed(UsbStatus::timeout);
        const std::size_t length = std::min(data.size(), m_reply.size());
        std::copy_n(m_reply.begin(), length, data.begin());
        m_reply.clear();
        return ControlResult::done(static_cast<int>(length));
    }
    if (endpoint != commandEndpoint)
        return ControlResult::failed(endpoint & 0x80 ? UsbStatus::timeout : UsbStatus::stall);
    if (m_pendingWrite) {
        const PendingWrite write = *m_pendingWrite;
        m_pendingWrite.reset();
        memoryWrite(write, data.first(std::min<std::size_t>(data.size(), write.length)));
    } else {
        Command bytes{};
        std::copy_n(data.begin(), std::min(data.size(), bytes.size()), bytes.begin());
        m_reply.clear();
        command(bytes);
    }
    if (connected())
        chip().advance();
    return ControlResult::done(static_cast<int>(data.size()));
}

void StlinkProbe::answerStatus(std::uint8_t status, std::size_t length) {
    std::vector<std::uint8_t> bytes(length, 0);
    bytes[0] = status;
    answer(std::move(bytes));
}

void StlinkProbe::answerWord(std::uint32_t value, bool ok) {
    std::vector<std::uint8_t> bytes(8, 0);
    bytes[0] = ok ? Status::ok : apFault;
    putLe32(bytes, 4, value);
    answer(std::move(bytes));
}

void StlinkProbe::command(const Command& bytes) {
    switch (bytes[0]) {
    case getVersion: {
        // V2, JTAG/SWD firmware 37; the third field is SWIM 7 on a V2, mass storage 26 on a V2-1.
        const std::uint16_t version = (2u << 12) | (37u << 6) | (m_model == Model::v2 ? 7u : 26u);
        const std::uint16_t product = m_model == Model::v2 ? 0x3748 : 0x374b;
        answer({static_cast<std::uint8_t>(version >> 8), static_cast<std::uint8_t>(version), 0x83,
                0x04, static_cast<std::uint8_t>(product), static_cast<std::uint8_t>(product >> 8)});
        return;
    }
    case getCurrentMode:
        answer({m_mode, 0});
        return;
    case getTargetVoltage: {
        // The reference reads 1500; the target's half 2025 (3.24 V), or nothing without one.
        std::vector<std::uint8_t> reading(8, 0);
        putLe32(reading, 0, 1500);
        putLe32(reading, 4, m_noTarget ? 0 : 2025);
        answer(std::move(reading));
        return;
    }
    case dfuCommand:
        if (bytes[1] == dfuExit) {
            m_mode = massMode;
            return;
        }
        break;
    case debugPrefix:
        debugCommand(bytes);
        return;
    default:
        break;
    }
    char text[80];
    std::snprintf(text, sizeof text, "ST-Link: the command %02x %02x is not emulated; no answer",
                  bytes[0], bytes[1]);
    stateDirectory().report(text);
}

void StlinkProbe::debugCommand(const Command& bytes) {
    const std::uint32_t address = le32(bytes, 2);
    const std::uint32_t length = descriptors::readLe16(bytes, 6);
    switch (bytes[1]) {
    case enter:
        if (bytes[2] != enterSwd)
            break;
        if (m_noTarget)
            return answerStatus(dpError, 2);
        m_mode = debugMode;
        return answerStatus(ok, 2);
    case exitDebug:
        m_mode = massMode;
        return;
    case swdSetFrequency:
        return answerStatus(ok, 2);
    default:
        break;
    }
    if (!connected()) {
        // Not in SWD mode, or no chip answers on the lines.
        return answerStatus(dpError,
                            bytes[1] == readIdcodes || bytes[1] == getLastRwStatus2 ? 12 : 8);
    }
    auto& target = chip();
    switch (bytes[1]) {
    case readIdcodes: {
        std::vector<std::uint8_t> reply(12, 0);
        reply[0] = ok;
        putLe32(reply, 4, swdIdcode);
        return answer(std::move(reply));
    }
    case initAccessPort:
    case closeAccessPort:
        return answerStatus(bytes[2] == 0 ? ok : apFault, 2);
    case readMem8:
        return memoryRead(address, length, 1);
    case readMem16:
        return memoryRead(address, length, 2);
    case readMem32:
        return memoryRead(address, length, 4);
    case writeMem8:
    case writeMem16:
    case writeMem32: {
        const int width = bytes[1] == writeMem8 ? 1 : bytes[1] == writeMem16 ? 2 : 4;
        m_pendingWrite = PendingWrite{address, length, width};
        return;
    }
    case getLastRwStatus:
        return answerStatus(m_lastStatus, 2);
    case getLastRwStatus2: {
        std::vector<std::uint8_t> reply(12, 0);
        reply[0] = m_lastStatus;
        putLe32(reply, 4, m_faultAddress);
        return answer(std::move(reply));
    }
    case readRegister: {
        const auto value = target.core().registerAt(bytes[2]);
        return answerWord(value.value_or(0), value.has_value());
    }
    case writeRegister:
        return answerStatus(target.core().setRegisterAt(bytes[2], le32(bytes, 3)) ? ok : apFault,
                            2);
    case readAllRegisters: {
        std::vector<std::uint8_t> reply(88, 0);
        reply[0] = ok;
        for (std::uint32_t selector = 0; selector < 21; ++selector)
            putLe32(reply, 4 + 4 * selector, target.core().registerAt(selector).value_or(0));
        return answer(std::move(reply));
    }
    case readDebugRegister: {
        const auto value = target.read(address, 4);
        return answerWord(value.value_or(0), value.has_value());
    }
    case writeDebugRegister:
        return answerStatus(target.write(address, 4, le32(bytes, 6)) ? ok : apFault, 2);
    case resetSystem:
        target.systemReset();
        return answerStatus(ok, 2);
    case driveNrst:
        // Driving NRST low, high or pulsing it resets the chip; the time held low is not
        // modelled.
        target.systemReset();
        return answerStatus(ok, 2);
    default:
        break;
    }
    char text[80];
    std::snprintf(text, sizeof text,
                  "ST-Link: the debug command f2 %02x is not emulated; no answer", bytes[1]);
    stateDirectory().report(text);
}

void StlinkProbe::memoryRead(std::uint32_t address, std::uint32_t length, int width) {
    const std::uint32_t limit = width == 1 ? maxRw8 : maxRw16or32;
    std::vector<std::uint8_t> bytes(std::max<std::uint32_t>(length, width == 1 ? 2 : 0), 0);
    m_lastStatus = ok;
    if (length > limit || address % static_cast<std::uint32_t>(width) ||
        length % static_cast<std::uint32_t>(width)) {
        m_lastStatus = apFault;
        m_faultAddress = address;
        return answer(std::move(bytes));
    }
    for (std::uint32_t at = 0; at < length; at += static_cast<std::uint32_t>(width)) {
        const auto value = chip().read(address + at, width);
        if (!value) {
            m_lastStatus = apFault;
            m_faultAddress = address + at;
            break;
        }
        for (int i = 0; i < width; ++i)
            bytes[at + static_cast<std::uint32_t>(i)] =
                static_cast<std::uint8_t>(*value >> (8 * i));
    }
    answer(std::move(bytes));
}

void StlinkProbe::memoryWrite(const PendingWrite& write, DataStage data) {
    m_lastStatus = ok;
    const auto width = static_cast<std::uint32_t>(write.width);
    if (write.address % width || data.size() % width) {
        m_lastStatus = apFault;
        m_faultAddress = write.address;
        return;
    }
    for (std::uint32_t at = 0; at < data.size(); at += width) {
        std::uint32_t value = 0;
        for (std::uint32_t i = width; i-- > 0;)
            value = (value << 8) | data[at + i];
        if (!chip().write(write.address + at, write.width, value)) {
            m_lastStatus = apFault;
            m_faultAddress = write.address + at;
            return;
        }
    }
}

} // namespace vbench
