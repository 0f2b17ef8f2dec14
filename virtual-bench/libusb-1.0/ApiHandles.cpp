// SPDX-License-Identifier: GPL-3.0-or-later
// The libusb-1.0 calls on an open module: opening, configurations, interfaces, resets.
#include "Context.h"
#include "Device.h"
#include "DeviceHandle.h"
#include "Library.h"

using vbench::libraryLock;

namespace {

// A standard request to the module, as libusb sends one for SET_CONFIGURATION and friends.
int standardRequest(libusb_device_handle* handle, std::uint8_t requestType, std::uint8_t request,
                    std::uint16_t value, std::uint16_t index) {
    const vbench::SetupPacket setup{requestType, request, value, index, 0};
    try {
        const auto result = handle->device->device->control(setup, {});
        return vbench::errorFor(result.status);
    } catch (const std::exception&) {
        return LIBUSB_ERROR_IO;
    }
}

} // namespace

extern "C" {

int libusb_open(libusb_device* device, libusb_device_handle** handle) {
    const std::lock_guard lock(libraryLock());
    if (!device->device->isPresent())
        return LIBUSB_ERROR_NO_DEVICE;
    // libusb opens the device node for reading and writing; the kernel refuses with EACCES.
    if (device->device->deniesAccess())
        return LIBUSB_ERROR_ACCESS;
    *handle = std::make_unique<libusb_device_handle>(vbench::addReference(device)).release();
    return LIBUSB_SUCCESS;
}

void libusb_close(libusb_device_handle* handle) {
    if (!handle)
        return;
    const std::lock_guard lock(libraryLock());
    std::unique_ptr<libusb_device_handle> closed(handle);
    vbench::dropReference(closed->device);
}

libusb_device* libusb_get_device(libusb_device_handle* handle) {
    return handle->device;
}

libusb_device_handle* libusb_open_device_with_vid_pid(libusb_context* context, uint16_t vendorId,
                                                      uint16_t productId) {
    libusb_device** list = nullptr;
    if (libusb_get_device_list(context, &list) < 0)
        return nullptr;
    libusb_device_handle* handle = nullptr;
    for (auto** each = list; *each && !handle; ++each) {
        if ((*each)->descriptor.idVendor == vendorId &&
            (*each)->descriptor.idProduct == productId &&
            libusb_open(*each, &handle) != LIBUSB_SUCCESS)
            handle = nullptr;
    }
    libusb_free_device_list(list, 1);
    return handle;
}

int libusb_wrap_sys_device(libusb_context*, intptr_t, libusb_device_handle**) {
    // There is no system device behind an emulated module.
    return LIBUSB_ERROR_NOT_SUPPORTED;
}

int libusb_get_configuration(libusb_device_handle* handle, int* configuration) {
    const std::lock_guard lock(libraryLock());
    if (!handle->device->device->isPresent())
        return LIBUSB_ERROR_NO_DEVICE;
    std::uint8_t value = 0;
    const vbench::SetupPacket setup{0x80, 8, 0, 0, 1};
    const auto result = handle->device->device->control(setup, {&value, 1});
    if (result.status != vbench::UsbStatus::ok)
        return vbench::errorFor(result.status);
    *configuration = value;
    return LIBUSB_SUCCESS;
}

int libusb_set_configuration(libusb_device_handle* handle, int configuration) {
    const std::lock_guard lock(libraryLock());
    if (configuration < -1 || configuration > 255)
        return LIBUSB_ERROR_INVALID_PARAM;
    const int result = standardRequest(
        handle, 0x00, 9, static_cast<std::uint16_t>(configuration < 0 ? 0 : configuration), 0);
    return result == LIBUSB_ERROR_PIPE ? LIBUSB_ERROR_NOT_FOUND : result;
}

int libusb_claim_interface(libusb_device_handle* handle, int number) {
    const std::lock_guard lock(libraryLock());
    if (!handle->device->device->isPresent())
        return LIBUSB_ERROR_NO_DEVICE;
    if (!handle->device->device->configuration().setting(number, 0))
        return LIBUSB_ERROR_NOT_FOUND;
    handle->claimed.insert(number);
    return LIBUSB_SUCCESS;
}

int libusb_release_interface(libusb_device_handle* handle, int number) {
    const std::lock_guard lock(libraryLock());
    if (!handle->claimed.erase(number))
        return LIBUSB_ERROR_NOT_FOUND;
    return handle->device->device->isPresent() ? LIBUSB_SUCCESS : LIBUSB_ERROR_NO_DEVICE;
}

int libusb_set_interface_alt_setting(libusb_device_handle* handle, int number, int alternate) {
    const std::lock_guard lock(libraryLock());
    if (!handle->claimed.count(number))
        return LIBUSB_ERROR_NOT_FOUND;
    const int result = standardRequest(handle, 0x01, 11, static_cast<std::uint16_t>(alternate),
                                       static_cast<std::uint16_t>(number));
    return result == LIBUSB_ERROR_PIPE ? LIBUSB_ERROR_NOT_FOUND : result;
}

int libusb_clear_halt(libusb_device_handle* handle, unsigned char) {
    const std::lock_guard lock(libraryLock());
    // The modules have no endpoint besides the control pipe.
    return handle->device->device->isPresent() ? LIBUSB_ERROR_NOT_FOUND : LIBUSB_ERROR_NO_DEVICE;
}

int libusb_reset_device(libusb_device_handle* handle) {
    const std::lock_guard lock(libraryLock());
    // A module that left the bus cannot be found again under this handle.
    if (!handle->device->device->busReset())
        return LIBUSB_ERROR_NOT_FOUND;
    handle->claimed.clear();
    return LIBUSB_SUCCESS;
}

int libusb_kernel_driver_active(libusb_device_handle* handle, int) {
    const std::lock_guard lock(libraryLock());
    return handle->device->device->isPresent() ? 0 : LIBUSB_ERROR_NO_DEVICE;
}

int libusb_detach_kernel_driver(libusb_device_handle* handle, int) {
    const std::lock_guard lock(libraryLock());
    // No kernel driver is ever bound to an emulated module.
    return handle->device->device->isPresent() ? LIBUSB_ERROR_NOT_FOUND : LIBUSB_ERROR_NO_DEVICE;
}

int libusb_attach_kernel_driver(libusb_device_handle* handle, int interfaceNumber) {
    return libusb_detach_kernel_driver(handle, interfaceNumber);
}

int libusb_set_auto_detach_kernel_driver(libusb_device_handle*, int) {
    return LIBUSB_SUCCESS;
}

} // extern "C"
