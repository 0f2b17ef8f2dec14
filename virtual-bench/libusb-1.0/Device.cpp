// SPDX-License-Identifier: GPL-3.0-or-later
#include "Device.h"

#include "Descriptors.h"
#include "Library.h"

libusb_device::libusb_device(libusb_context* owner, std::shared_ptr<vbench::VirtualDevice> module,
                             vbench::VirtualBus::Port where)
    : context(owner)
    , device(std::move(module))
    , port(where) {
    const auto bytes = device->deviceDescriptor();
    using vbench::descriptors::readLe16;
    descriptor.bLength = bytes[0];
    descriptor.bDescriptorType = bytes[1];
    descriptor.bcdUSB = readLe16(bytes, 2);
    descriptor.bDeviceClass = bytes[4];
    descriptor.bDeviceSubClass = bytes[5];
    descriptor.bDeviceProtocol = bytes[6];
    descriptor.bMaxPacketSize0 = bytes[7];
    descriptor.idVendor = readLe16(bytes, 8);
    descriptor.idProduct = readLe16(bytes, 10);
    descriptor.bcdDevice = readLe16(bytes, 12);
    descriptor.iManufacturer = bytes[14];
    descriptor.iProduct = bytes[15];
    descriptor.iSerialNumber = bytes[16];
    descriptor.bNumConfigurations = bytes[17];
}

namespace vbench {

libusb_device* addReference(libusb_device* device) {
    const std::lock_guard lock(libraryLock());
    ++device->references;
    return device;
}

void dropReference(libusb_device* device) {
    const std::lock_guard lock(libraryLock());
    if (--device->references == 0)
        std::unique_ptr<libusb_device> last(device);
}

} // namespace vbench
