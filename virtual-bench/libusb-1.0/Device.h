// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "VirtualBus.h"
#include "VirtualDevice.h"

#include <libusb.h>

#include <memory>

// A module on the bus as libusb hands it out, counted by references; the last one frees it.
struct libusb_device {
    libusb_device(libusb_context* owner, std::shared_ptr<vbench::VirtualDevice> module,
                  vbench::VirtualBus::Port where);

    libusb_context* context;
    std::shared_ptr<vbench::VirtualDevice> device;
    vbench::VirtualBus::Port port;
    libusb_device_descriptor descriptor{};
    int references = 1;
};

namespace vbench {

libusb_device* addReference(libusb_device* device);
void dropReference(libusb_device* device);

} // namespace vbench
