// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <libusb.h>

#include <set>

// An open module and the interfaces claimed through it; it keeps a reference on the device.
struct libusb_device_handle {
    explicit libusb_device_handle(libusb_device* opened)
        : device(opened) {}

    libusb_device* device;
    std::set<int> claimed;
};
