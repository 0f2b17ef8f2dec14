// SPDX-License-Identifier: GPL-3.0-or-later
// The libusb-1.0 calls that list the modules and describe them, without opening them.
#include "ConfigDescriptorCopy.h"
#include "Context.h"
#include "Device.h"
#include "Library.h"

#include <vector>

using vbench::libraryLock;

extern "C" {

ssize_t libusb_get_device_list(libusb_context* context, libusb_device*** list) {
    const std::lock_guard lock(libraryLock());
    context = vbench::contextOrDefault(context);
    if (!context || !list)
        return LIBUSB_ERROR_INVALID_PARAM;
    auto devices = std::make_unique<std::vector<libusb_device*>>(context->devices());
    const auto count = static_cast<ssize_t>(devices->size());
    devices->push_back(nullptr);
    *list = devices->data();
    vbench::handouts().keep(*list, std::move(devices));
    return count;
}

void libusb_free_device_list(libusb_device** list, int unrefDevices) {
    if (!list)
        return;
    const std::lock_guard lock(libraryLock());
    if (unrefDevices) {
        for (auto** each = list; *each; ++each)
            vbench::dropReference(*each);
    }
    vbench::handouts().release(list);
}

libusb_device* libusb_ref_device(libusb_device* device) {
    return vbench::addReference(device);
}

void libusb_unref_device(libusb_device* device) {
    if (device)
        vbench::dropReference(device);
}

int libusb_get_device_descriptor(libusb_device* device, struct libusb_device_descriptor* out) {
    *out = device->descriptor;
    return LIBUSB_SUCCESS;
}

int libusb_get_config_descriptor(libusb_device* device, uint8_t index,
                                 struct libusb_config_descriptor** config) {
    if (index >= device->descriptor.bNumConfigurations)
        return LIBUSB_ERROR_NOT_FOUND;
    auto copy = vbench::ConfigDescriptorCopy::of(device->device->configuration());
    *config = copy->descriptor();
    vbench::handouts().keep(*config, std::move(copy));
    return LIBUSB_SUCCESS;
}

int libusb_get_active_config_descriptor(libusb_device* device,
                                        struct libusb_config_descriptor** config) {
    return libusb_get_config_descriptor(device, 0, config);
}

int libusb_get_config_descriptor_by_value(libusb_device* device, uint8_t value,
                                          struct libusb_config_descriptor** config) {
    if (value != device->device->configuration().descriptor[5])
        return LIBUSB_ERROR_NOT_FOUND;
    return libusb_get_config_descriptor(device, 0, config);
}

void libusb_free_config_descriptor(struct libusb_config_descriptor* config) {
    if (config)
        vbench::handouts().release(config);
}

uint8_t libusb_get_bus_number(libusb_device*) {
    return vbench::VirtualBus::busNumber;
}

uint8_t libusb_get_port_number(libusb_device* device) {
    return device->port.number;
}

int libusb_get_port_numbers(libusb_device* device, uint8_t* numbers, int length) {
    if (length < 1)
        return LIBUSB_ERROR_OVERFLOW;
    numbers[0] = device->port.number;
    return 1;
}

int libusb_get_port_path(libusb_context*, libusb_device* device, uint8_t* path, uint8_t length) {
    return libusb_get_port_numbers(device, path, length);
}

libusb_device* libusb_get_parent(libusb_device*) {
    return nullptr;
}

uint8_t libusb_get_device_address(libusb_device* device) {
    return device->port.address;
}

int libusb_get_device_speed(libusb_device* device) {
    // Low-speed devices have an eight-byte control pipe.
    return device->descriptor.bMaxPacketSize0 == 8 ? LIBUSB_SPEED_LOW : LIBUSB_SPEED_FULL;
}

int libusb_get_max_packet_size(libusb_device*, unsigned char) {
    // The modules have their control pipe only.
    return LIBUSB_ERROR_NOT_FOUND;
}

} // extern "C"
