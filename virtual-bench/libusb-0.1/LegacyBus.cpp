// SPDX-License-Identifier: GPL-3.0-or-later
#include "LegacyBus.h"

#include "Descriptors.h"

#include <cstdio>

namespace vbench {

LegacyBus& LegacyBus::instance() {
    static LegacyBus bus;
    return bus;
}

LegacyBus::LegacyBus()
    : m_bus(StateDirectory::besideLibrary()) {
    std::snprintf(m_legacyBus.dirname, sizeof m_legacyBus.dirname, "%03u",
                  static_cast<unsigned>(VirtualBus::busNumber));
    m_legacyBus.location = VirtualBus::busNumber;
}

int LegacyBus::findBusses() {
    if (m_bussesFound)
        return 0;
    m_bussesFound = true;
    usb_busses = &m_legacyBus;
    return 1;
}

int LegacyBus::findDevices() {
    int changes = 0;
    const auto plugged = m_bus.pluggedPorts();
    std::erase_if(m_listed, [&](Record* record) {
        bool stays = record->module->isPresent();
        if (stays) {
            stays = false;
            for (const auto& port : plugged)
                stays = stays || record->module->moduleName() == port.module;
        }
        changes += stays ? 0 : 1;
        return !stays;
    });
    for (const auto& port : plugged) {
        bool listed = false;
        for (const auto* record : m_listed)
            listed = listed || record->module->moduleName() == port.module;
        if (listed)
            continue;
        auto module = m_bus.attach(port);
        if (!module)
            continue;
        auto record = std::make_unique<Record>();
        record->module = std::move(module);
        record->config = std::make_unique<LegacyConfig>(record->module->configuration());
        auto& device = record->device;
        std::snprintf(device.filename, sizeof device.filename, "%03u",
                      static_cast<unsigned>(port.address));
        device.bus = &m_legacyBus;
        const auto bytes = record->module->deviceDescriptor();
        auto& descriptor = device.descriptor;
        descriptor.bLength = bytes[0];
        descriptor.bDescriptorType = bytes[1];
        descriptor.bcdUSB = descriptors::readLe16(bytes, 2);
        descriptor.bDeviceClass = bytes[4];
        descriptor.bDeviceSubClass = bytes[5];
        descriptor.bDeviceProtocol = bytes[6];
        descriptor.bMaxPacketSize0 = bytes[7];
        descriptor.idVendor = descriptors::readLe16(bytes, 8);
        descriptor.idProduct = descriptors::readLe16(bytes, 10);
        descriptor.bcdDevice = descriptors::readLe16(bytes, 12);
        descriptor.iManufacturer = bytes[14];
        descriptor.iProduct = bytes[15];
        descriptor.iSerialNumber = bytes[16];
        descriptor.bNumConfigurations = bytes[17];
        device.config = record->config->descriptor();
        // libusb 0.1 asks the kernel for the number, which refuses a node opened read-only.
        device.devnum = record->module->deniesAccess() ? 0 : port.address;
        m_listed.push_back(record.get());
        m_records.push_back(std::move(record));
        ++changes;
    }
    relink();
    return changes;
}

void LegacyBus::relink() {
    m_legacyBus.devices = nullptr;
    usb_device* previous = nullptr;
    for (auto* record : m_listed) {
        record->device.prev = previous;
        record->device.next = nullptr;
        if (previous)
            previous->next = &record->device;
        else
            m_legacyBus.devices = &record->device;
        previous = &record->device;
    }
}

LegacyBus::Record* LegacyBus::recordOf(const struct usb_device* device) {
    for (const auto& record : m_records) {
        if (&record->device == device)
            return record.get();
    }
    return nullptr;
}

} // namespace vbench
