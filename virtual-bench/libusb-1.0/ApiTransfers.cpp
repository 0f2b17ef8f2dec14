// SPDX-License-Identifier: GPL-3.0-or-later
// The libusb-1.0 transfers. Control and bulk transfers reach the module, synchronous or
// submitted: a module answers at once, so a submitted transfer is done when submitted and its
// callback runs at the next event handling. The modules have no interrupt endpoints.
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

int bulkTransfer(libusb_device_handle* handle, unsigned char endpoint, unsigned char* data,
                 int length, int* transferred) {
    const std::lock_guard lock(libraryLock());
    if (transferred)
        *transferred = 0;
    if (length < 0 || (length && !data))
        return LIBUSB_ERROR_INVALID_PARAM;
    try {
        const auto result =
            handle->device->device->bulk(endpoint, {data, static_cast<std::size_t>(length)});
        if (result.status != vbench::UsbStatus::ok)
            return vbench::errorFor(result.status);
        if (transferred)
            *transferred = result.length;
        return LIBUSB_SUCCESS;
    } catch (const std::exception& problem) {
        vbench::StateDirectory::besideLibrary().report(problem.what());
        return LIBUSB_ERROR_IO;
    }
}

libusb_transfer_status transferStatus(int code) {
    switch (code) {
    case LIBUSB_SUCCESS:
        return LIBUSB_TRANSFER_COMPLETED;
    case LIBUSB_ERROR_TIMEOUT:
        return LIBUSB_TRANSFER_TIMED_OUT;
    case LIBUSB_ERROR_PIPE:
        return LIBUSB_TRANSFER_STALL;
    case LIBUSB_ERROR_NO_DEVICE:
        return LIBUSB_TRANSFER_NO_DEVICE;
    default:
        return LIBUSB_TRANSFER_ERROR;
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

int libusb_bulk_transfer(libusb_device_handle* handle, unsigned char endpoint, unsigned char* data,
                         int length, int* transferred, unsigned int) {
    return bulkTransfer(handle, endpoint, data, length, transferred);
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

// The transfer happens now; its callback waits for the event handling, as libusb's does.
int libusb_submit_transfer(struct libusb_transfer* transfer) {
    const std::lock_guard lock(libraryLock());
    libusb_device_handle* handle = transfer->dev_handle;
    if (!handle->device->device->isPresent())
        return LIBUSB_ERROR_NO_DEVICE;
    int code = LIBUSB_ERROR_NOT_SUPPORTED;
    transfer->actual_length = 0;
    if (transfer->type == LIBUSB_TRANSFER_TYPE_BULK) {
        code = bulkTransfer(handle, transfer->endpoint, transfer->buffer, transfer->length,
                            &transfer->actual_length);
    } else if (transfer->type == LIBUSB_TRANSFER_TYPE_CONTROL &&
               transfer->length >= static_cast<int>(LIBUSB_CONTROL_SETUP_SIZE)) {
        const auto* setup = libusb_control_transfer_get_setup(transfer);
        const vbench::SetupPacket packet{
            setup->bmRequestType, setup->bRequest, libusb_le16_to_cpu(setup->wValue),
            libusb_le16_to_cpu(setup->wIndex), libusb_le16_to_cpu(setup->wLength)};
        code = controlTransfer(handle, packet, libusb_control_transfer_get_data(transfer));
        if (code >= 0) {
            transfer->actual_length = code;
            code = LIBUSB_SUCCESS;
        }
    } else {
        return LIBUSB_ERROR_NOT_SUPPORTED;
    }
    transfer->status = transferStatus(code);
    handle->device->context->complete(transfer);
    return LIBUSB_SUCCESS;
}

int libusb_cancel_transfer(struct libusb_transfer*) {
    // A submitted transfer is complete already; only its callback is still to come.
    return LIBUSB_ERROR_NOT_FOUND;
}

} // extern "C"
