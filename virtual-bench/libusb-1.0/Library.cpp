// SPDX-License-Identifier: GPL-3.0-or-later
#include "Library.h"

namespace vbench {

std::recursive_mutex& libraryLock() {
    static std::recursive_mutex lock;
    return lock;
}

Handouts& handouts() {
    static Handouts kept;
    return kept;
}

libusb_context*& defaultContext() {
    static libusb_context* context = nullptr;
    return context;
}

libusb_context* contextOrDefault(libusb_context* context) {
    return context ? context : defaultContext();
}

libusb_error errorFor(UsbStatus status) {
    switch (status) {
    case UsbStatus::ok:
        return LIBUSB_SUCCESS;
    case UsbStatus::stall:
        return LIBUSB_ERROR_PIPE;
    case UsbStatus::noDevice:
        return LIBUSB_ERROR_NO_DEVICE;
    case UsbStatus::notSupported:
        return LIBUSB_ERROR_NOT_SUPPORTED;
    case UsbStatus::timeout:
        return LIBUSB_ERROR_TIMEOUT;
    case UsbStatus::io:
        break;
    }
    return LIBUSB_ERROR_IO;
}

} // namespace vbench
