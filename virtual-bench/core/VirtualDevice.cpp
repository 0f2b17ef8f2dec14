// SPDX-License-Identifier: GPL-3.0-or-later
#include "VirtualDevice.h"

#include "Descriptors.h"

#include <algorithm>

namespace vbench {

namespace {

enum StandardRequest : std::uint8_t {
    getStatus = 0,
    clearFeature = 1,
    setFeature = 3,
    getDescriptor = 6,
    getConfiguration = 8,
    setConfiguration = 9,
    getInterface = 10,
    setInterface = 11,
};

ControlResult answer(DataStage data, std::span<const std::uint8_t> bytes) {
    const std::size_t length = std::min(data.size(), bytes.size());
    std::copy_n(bytes.begin(), length, data.begin());
    return ControlResult::done(static_cast<int>(length));
}

} // namespace

VirtualDevice::VirtualDevice(ModuleFile file, Descriptors descriptors, UnplugTrigger trigger)
    : m_file(std::move(file))
    , m_plugging(m_file.plugging())
    , m_descriptors(std::move(descriptors))
    , m_tree(ConfigurationTree::parse(m_descriptors.configuration))
    , m_trigger(trigger) {}

std::uint16_t VirtualDevice::vendorId() const {
    return descriptors::readLe16(m_descriptors.device, 8);
}

std::uint16_t VirtualDevice::productId() const {
    return descriptors::readLe16(m_descriptors.device, 10);
}

bool VirtualDevice::isPresent() {
    if (!m_gone && (!m_plugging || m_file.plugging() != m_plugging))
        m_gone = true;
    return !m_gone;
}

ControlResult VirtualDevice::control(const SetupPacket& setup, DataStage data) {
    if (!isPresent())
        return ControlResult::failed(UsbStatus::noDevice);
    if (m_trigger.unplugsBefore(setup)) {
        leaveBus();
        return ControlResult::failed(UsbStatus::noDevice);
    }
    if (data.size() > setup.length)
        data = data.first(setup.length);
    if (setup.type() == SetupPacket::standard)
        return standardRequest(setup, data);
    return classOrVendorRequest(setup, data);
}

ControlResult VirtualDevice::bulk(std::uint8_t endpoint, DataStage data) {
    if (!isPresent())
        return ControlResult::failed(UsbStatus::noDevice);
    if (m_trigger.unplugsBefore((endpoint & 0x80) ? 0 : data.size())) {
        leaveBus();
        return ControlResult::failed(UsbStatus::noDevice);
    }
    return bulkTransfer(endpoint, data);
}

ControlResult VirtualDevice::bulkTransfer(std::uint8_t, DataStage) {
    return ControlResult::failed(UsbStatus::notSupported);
}

bool VirtualDevice::busReset() {
    if (!isPresent())
        return false;
    m_configuration = 1;
    m_alternates.clear();
    resetTaken();
    return isPresent();
}

void VirtualDevice::alternateSelected(int, int) {}

void VirtualDevice::resetTaken() {}

void VirtualDevice::leaveBus() {
    if (m_gone)
        return;
    m_gone = true;
    m_file.unplug();
}

ControlResult VirtualDevice::standardRequest(const SetupPacket& setup, DataStage data) {
    switch (setup.request) {
    case getStatus:
        return answer(data, std::vector<std::uint8_t>{0, 0});
    case clearFeature:
    case setFeature:
        return ControlResult::done(0);
    case getDescriptor:
        return descriptor(setup, data);
    case getConfiguration:
        return answer(data, std::vector<std::uint8_t>{m_configuration});
    case setConfiguration:
        if (setup.value > 1)
            return ControlResult::failed(UsbStatus::stall);
        m_configuration = static_cast<std::uint8_t>(setup.value);
        return ControlResult::done(0);
    case getInterface: {
        const auto it = m_alternates.find(setup.index);
        if (!m_tree.setting(setup.index, 0))
            return ControlResult::failed(UsbStatus::stall);
        return answer(data, std::vector<std::uint8_t>{static_cast<std::uint8_t>(
                                it == m_alternates.end() ? 0 : it->second)});
    }
    case setInterface:
        if (!m_tree.setting(setup.index, setup.value))
            return ControlResult::failed(UsbStatus::stall);
        m_alternates[setup.index] = setup.value;
        alternateSelected(setup.index, setup.value);
        return ControlResult::done(0);
    default:
        return ControlResult::failed(UsbStatus::stall);
    }
}

ControlResult VirtualDevice::descriptor(const SetupPacket& setup, DataStage data) const {
    const int type = setup.value >> 8;
    const int index = setup.value & 0xff;
    if (type == descriptors::device && index == 0)
        return answer(data, m_descriptors.device);
    if (type == descriptors::configuration && index == 0)
        return answer(data, m_descriptors.configuration);
    if (type == descriptors::string) {
        if (index == 0)
            return answer(data, descriptors::languageDescriptor());
        if (index <= static_cast<int>(m_descriptors.strings.size()))
            return answer(data, descriptors::stringDescriptor(
                                    m_descriptors.strings[static_cast<std::size_t>(index - 1)]));
    }
    return ControlResult::failed(UsbStatus::stall);
}

} // namespace vbench
