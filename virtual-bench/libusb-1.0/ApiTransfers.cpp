// SPDX-License-Identifier: GPL-3.0-or-later
// The libusb-1.0 transfers. Control transfers reach the module; the modules have no other
// pipe, so bulk and interrupt transfers and the asynchronous interface answer "not supported".
#include "Context.h"
#include "Device.h"
#include "DeviceHandle.h"
#include "Library.h"

#include <cstdlib>
#include <new>

using vbench::libraryLock;

namespace {

int controlTransfer(libusb_device_handle* handle, const vbench::SetupPacket& setup,
                    unsigned char* data) {
    const std::lock_guard lock(libraryLock());
    auto& device = *handle->device->device;
    try {
        const auto result = device.control(setup, {data, data ? setup.length : std::size_t{0}});
        return result.status == vbench::UsbStatus::ok ? result.length
                                                      : vbench::errorFor(result.status);
    } catch (const std::exception& problem) {
        // A memory file that cannot be written: the module stops answering.
        vbench::StateDirectory::besideLibrary().report(problem.what());
        return LIBUSB_ERROR_IO;
    }
}

int noPipe(libusb_device_handle* handle) {
    const std::lock_guard lock(libraryLock());
    return handle->device->device->isPresent() ? LIBUSB_ERROR_NOT_SUPPORTED
                                               : LIBUSB_ERROR_NO_DEVICE;
}

} // namespace

extern "C" {

int libusb_control_transfer(libusb_device_handle* handle, uint8_t requestType, uint8_t request,
                            uint16_t value, uint16_t index, unsigned char* data, uint16_t length,
                            unsigned int) {
    if (length && !data)
        return LIBUSB_ERROR_INVALID_PARAM;
    return controlTransfer(handle, {requestType, request, value, index, length}, data);
}

int libusb_bulk_transfer(libusb_device_handle* handle, unsigned char, unsigned char*, int,
                         int* transferred, unsigned int) {
    if (transferred)
        *transferred = 0;
    return noPipe(handle);
}

int libusb_interrupt_transfer(libusb_device_handle* handle, unsigned char, unsigned char*, int,
                              int* transferred, unsigned int) {
    if (transferred)
        *transferred = 0;
    return noPipe(handle);
}

int libusb_get_string_descriptor_ascii(libusb_device_handle* handle, uint8_t index,
                                       unsigned char* data, int length) {
    if (index == 0 || length < 1)
        return LIBUSB_ERROR_INVALID_PARAM;
    unsigned char buffer[255];
    constexpr std::uint8_t in = LIBUSB_ENDPOINT_IN;
    int got = controlTransfer(
        handle, {in, LIBUSB_REQUEST_GET_DESCRIPTOR, LIBUSB_DT_STRING << 8, 0, 4}, buffer);
    if (got < 0)
        return got;
    if (got != 4 || buffer[0] < 4 || buffer[1] != LIBUSB_DT_STRING)
        return LIBUSB_ERROR_IO;
    const auto language = static_cast<std::uint16_t>(buffer[2] | (buffer[3] << 8));
    got = controlTransfer(handle,
                          {in, LIBUSB_REQUEST_GET_DESCRIPTOR,
                           static_cast<std::uint16_t>((LIBUSB_DT_STRING << 8) | index), language,
                           sizeof buffer},
                          buffer);
    if (got < 0)
        return got;
    if (got < 2 || buffer[0] > got || buffer[1] != LIBUSB_DT_STRING)
        return LIBUSB_ERROR_IO;
    // UTF-16LE to ASCII, anything beyond it as "?".
    int out = 0;
    for (int at = 2; at + 1 < buffer[0] && out < length - 1; at += 2) {
        const int unit = buffer[at] | (buffer[at + 1] << 8);
        data[out++] = unit < 0x80 ? static_cast<unsigned char>(unit) : '?';
    }
    data[out] = 0;
    return out;
}

struct libusb_transfer* libusb_alloc_transfer(int isoPackets) {
    if (isoPackets < 0)
        return nullptr;
    const std::size_t size = sizeof(libusb_transfer) + static_cast<std::size_t>(isoPackets) *
                                                           sizeof(libusb_iso_packet_descriptor);
    auto storage = std::make_unique<std::byte[]>(size);
    auto* transfer = ::new (storage.get()) libusb_transfer{};
    transfer->num_iso_packets = isoPackets;
    vbench::handouts().keep(transfer, std::move(storage));
    return transfer;
}

void libusb_free_transfer(struct libusb_transfer* transfer) {
    if (!transfer)
        return;
    if (transfer->flags & LIBUSB_TRANSFER_FREE_BUFFER)
        std::free(transfer->buffer);
    vbench::handouts().release(transfer);
}

int libusb_submit_transfer(struct libusb_transfer* transfer) {
    return noPipe(transfer->dev_handle);
}

int libusb_cancel_transfer(struct libusb_transfer*) {
    // Nothing is ever in flight.
    return LIBUSB_ERROR_NOT_FOUND;
}

} // extern "C"
