// SPDX-License-Identifier: GPL-3.0-or-later
// libusb 0.1's functions on the emulated bus. Failures return -errno and leave the message
// usb_strerror() gives, worded as libusb 0.1 words them.
//
// A module that denies this user access is opened as libusb 0.1 opens a device node it may not
// write: the open for reading and writing fails, the one for reading alone succeeds (Debian's
// nodes are readable by all), and the kernel then answers every request on that descriptor
// with EPERM.
#include "LegacyBus.h"
#include "Libusb0.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

struct usb_dev_handle {
    vbench::LegacyBus::Record* record;
    int interface = -1;
    bool readOnly = false;
};

extern "C" {
usb_bus* usb_busses = nullptr;
}

namespace {

std::string& lastError() {
    static std::string message = "No error";
    return message;
}

int fail(int error, const std::string& message) {
    lastError() = message + ": " + std::strerror(error);
    return -error;
}

int errnoFor(vbench::UsbStatus status) {
    switch (status) {
    case vbench::UsbStatus::ok:
        return 0;
    case vbench::UsbStatus::stall:
        return EPIPE;
    case vbench::UsbStatus::noDevice:
        return ENODEV;
    case vbench::UsbStatus::notSupported:
        return EOPNOTSUPP;
    case vbench::UsbStatus::timeout:
        return ETIMEDOUT;
    case vbench::UsbStatus::io:
        break;
    }
    return EIO;
}

int control(usb_dev_handle* dev, const vbench::SetupPacket& setup, char* bytes) {
    if (dev->readOnly)
        return fail(EPERM, "error sending control message");
    try {
        const auto result = dev->record->module->control(
            setup, {reinterpret_cast<std::uint8_t*>(bytes), bytes ? setup.length : std::size_t{0}});
        if (result.status == vbench::UsbStatus::ok)
            return result.length;
        return fail(errnoFor(result.status), "error sending control message");
    } catch (const std::exception& problem) {
        vbench::LegacyBus::instance().directory().report(problem.what());
        return fail(EIO, "error sending control message");
    }
}

// The kernel's answer to a request other than a control transfer on the module's node: EPERM
// for a node opened for reading only, else the module's own error.
int refused(usb_dev_handle* dev, int error, const std::string& what) {
    return fail(dev->readOnly ? EPERM : error, what);
}

// The modules have their control pipe only.
int noPipe(usb_dev_handle* dev, const char* what) {
    return refused(dev, dev->record->module->isPresent() ? EOPNOTSUPP : ENODEV, what);
}

} // namespace

extern "C" {

void usb_init(void) {
    vbench::LegacyBus::instance();
}

void usb_set_debug(int) {}

int usb_find_busses(void) {
    return vbench::LegacyBus::instance().findBusses();
}

int usb_find_devices(void) {
    return vbench::LegacyBus::instance().findDevices();
}

usb_bus* usb_get_busses(void) {
    return usb_busses;
}

char* usb_strerror(void) {
    return lastError().data();
}

usb_dev_handle* usb_open(struct usb_device* device) {
    auto* record = vbench::LegacyBus::instance().recordOf(device);
    if (!record || !record->module->isPresent()) {
        fail(ENODEV, "could not open device");
        return nullptr;
    }
    return std::make_unique<usb_dev_handle>(
               usb_dev_handle{record, -1, record->module->deniesAccess()})
        .release();
}

int usb_close(usb_dev_handle* dev) {
    std::unique_ptr<usb_dev_handle> closed(dev);
    return 0;
}

int usb_control_msg(usb_dev_handle* dev, int requesttype, int request, int value, int index,
                    char* bytes, int size, int) {
    if (size < 0 || size > 0xffff || (size && !bytes))
        return fail(EINVAL, "error sending control message");
    return control(dev,
                   {static_cast<std::uint8_t>(requesttype), static_cast<std::uint8_t>(request),
                    static_cast<std::uint16_t>(value), static_cast<std::uint16_t>(index),
                    static_cast<std::uint16_t>(size)},
                   bytes);
}

int usb_get_descriptor(usb_dev_handle* dev, unsigned char type, unsigned char index, void* buf,
                       int size) {
    return usb_control_msg(dev, 0x80, 6, (type << 8) | index, 0, static_cast<char*>(buf), size,
                           1000);
}

int usb_get_descriptor_by_endpoint(usb_dev_handle* dev, int ep, unsigned char type,
                                   unsigned char index, void* buf, int size) {
    return usb_control_msg(dev, 0x80 | (ep & 0xff), 6, (type << 8) | index, 0,
                           static_cast<char*>(buf), size, 1000);
}

int usb_get_string(usb_dev_handle* dev, int index, int langid, char* buf, std::size_t buflen) {
    return usb_control_msg(dev, 0x80, 6, (3 << 8) | index, langid, buf,
                           static_cast<int>(buflen > 0xffff ? 0xffff : buflen), 1000);
}

int usb_get_string_simple(usb_dev_handle* dev, int index, char* buf, std::size_t buflen) {
    unsigned char descriptor[255];
    char* raw = reinterpret_cast<char*>(descriptor);
    int got = usb_get_string(dev, 0, 0, raw, sizeof descriptor);
    if (got < 0)
        return got;
    if (got < 4)
        return -EIO;
    const int language = descriptor[2] | (descriptor[3] << 8);
    got = usb_get_string(dev, index, language, raw, sizeof descriptor);
    if (got < 0)
        return got;
    if (descriptor[1] != 3)
        return -EIO;
    if (descriptor[0] > got)
        return -EFBIG;
    std::size_t out = 0;
    for (int at = 2; at < descriptor[0] && out + 1 < buflen; at += 2)
        buf[out++] = descriptor[at + 1] ? '?' : static_cast<char>(descriptor[at]);
    if (buflen)
        buf[out] = 0;
    return static_cast<int>(out);
}

int usb_bulk_write(usb_dev_handle* dev, int, const char*, int, int) {
    return noPipe(dev, "error submitting URB");
}

int usb_bulk_read(usb_dev_handle* dev, int, char*, int, int) {
    return noPipe(dev, "error submitting URB");
}

int usb_interrupt_write(usb_dev_handle* dev, int, const char*, int, int) {
    return noPipe(dev, "error submitting URB");
}

int usb_interrupt_read(usb_dev_handle* dev, int, char*, int, int) {
    return noPipe(dev, "error submitting URB");
}

int usb_set_configuration(usb_dev_handle* dev, int configuration) {
    const int result = usb_control_msg(dev, 0x00, 9, configuration, 0, nullptr, 0, 1000);
    if (result < 0)
        return fail(-result, "could not set config " + std::to_string(configuration));
    return 0;
}

int usb_claim_interface(usb_dev_handle* dev, int interface) {
    if (dev->readOnly)
        return fail(EPERM, "could not claim interface " + std::to_string(interface));
    if (!dev->record->module->isPresent())
        return fail(ENODEV, "could not claim interface " + std::to_string(interface));
    if (!dev->record->module->configuration().setting(interface, 0))
        return fail(EINVAL, "could not claim interface " + std::to_string(interface));
    dev->interface = interface;
    return 0;
}

int usb_release_interface(usb_dev_handle* dev, int interface) {
    if (dev->readOnly || dev->interface != interface)
        return fail(dev->readOnly ? EPERM : EINVAL,
                    "could not release intf " + std::to_string(interface));
    dev->interface = -1;
    return 0;
}

int usb_set_altinterface(usb_dev_handle* dev, int alternate) {
    const std::string what = "could not set alt intf " + std::to_string(dev->interface) + "/" +
                             std::to_string(alternate);
    if (dev->interface < 0)
        return fail(EINVAL, what);
    const int result = usb_control_msg(dev, 0x01, 11, alternate, dev->interface, nullptr, 0, 1000);
    return result < 0 ? fail(-result, what) : 0;
}

int usb_resetep(usb_dev_handle* dev, unsigned int ep) {
    return refused(dev, dev->record->module->isPresent() ? ENOENT : ENODEV,
                   "could not reset ep " + std::to_string(ep));
}

int usb_clear_halt(usb_dev_handle* dev, unsigned int ep) {
    return refused(dev, dev->record->module->isPresent() ? ENOENT : ENODEV,
                   "could not clear/halt ep " + std::to_string(ep));
}

int usb_reset(usb_dev_handle* dev) {
    if (dev->readOnly)
        return fail(EPERM, "could not reset");
    if (!dev->record->module->busReset())
        return fail(ENODEV, "could not reset");
    return 0;
}

int usb_get_driver_np(usb_dev_handle* dev, int, char*, unsigned int) {
    // No kernel driver is ever bound to an emulated module.
    return refused(dev, ENODATA, "could not get bound driver");
}

int usb_detach_kernel_driver_np(usb_dev_handle* dev, int interface) {
    return refused(dev, ENODATA,
                   "could not detach kernel driver from interface " + std::to_string(interface));
}

struct usb_device* usb_device(usb_dev_handle* dev) {
    return &dev->record->device;
}

} // extern "C"
