// SPDX-License-Identifier: GPL-3.0-or-later
// The libusb-1.0 calls about the library itself: contexts, options, versions and errors.
#include "Context.h"
#include "Library.h"

#include <cstdarg>

using vbench::libraryLock;

extern "C" {

int libusb_init(libusb_context** context) {
    const std::lock_guard lock(libraryLock());
    try {
        if (context) {
            *context =
                std::make_unique<libusb_context>(vbench::StateDirectory::besideLibrary()).release();
        } else if (vbench::defaultContext()) {
            ++vbench::defaultContext()->users;
        } else {
            vbench::defaultContext() =
                std::make_unique<libusb_context>(vbench::StateDirectory::besideLibrary()).release();
        }
    } catch (const std::exception&) {
        return LIBUSB_ERROR_NO_MEM;
    }
    return LIBUSB_SUCCESS;
}

void libusb_exit(libusb_context* context) {
    const std::lock_guard lock(libraryLock());
    if (context) {
        std::unique_ptr<libusb_context> ended(context);
        return;
    }
    auto& fallback = vbench::defaultContext();
    if (fallback && --fallback->users == 0) {
        std::unique_ptr<libusb_context> ended(fallback);
        fallback = nullptr;
    }
}

int libusb_set_option(libusb_context*, enum libusb_option option, ...) {
    switch (option) {
    case LIBUSB_OPTION_LOG_LEVEL:
    case LIBUSB_OPTION_NO_DEVICE_DISCOVERY:
        return LIBUSB_SUCCESS;
    case LIBUSB_OPTION_USE_USBDK:
        return LIBUSB_ERROR_NOT_SUPPORTED;
    default:
        return LIBUSB_ERROR_INVALID_PARAM;
    }
}

void libusb_set_debug(libusb_context*, int) {}

const struct libusb_version* libusb_get_version(void) {
    static const libusb_version version{1, 0, 26, 11724, "", "virtual bench"};
    return &version;
}

int libusb_has_capability(uint32_t capability) {
    return capability == LIBUSB_CAP_HAS_CAPABILITY || capability == LIBUSB_CAP_HAS_HOTPLUG ||
           capability == LIBUSB_CAP_SUPPORTS_DETACH_KERNEL_DRIVER;
}

const char* libusb_error_name(int code) {
    switch (code) {
    case LIBUSB_SUCCESS: // also LIBUSB_TRANSFER_COMPLETED
        return "LIBUSB_SUCCESS / LIBUSB_TRANSFER_COMPLETED";
    case LIBUSB_ERROR_IO:
        return "LIBUSB_ERROR_IO";
    case LIBUSB_ERROR_INVALID_PARAM:
        return "LIBUSB_ERROR_INVALID_PARAM";
    case LIBUSB_ERROR_ACCESS:
        return "LIBUSB_ERROR_ACCESS";
    case LIBUSB_ERROR_NO_DEVICE:
        return "LIBUSB_ERROR_NO_DEVICE";
    case LIBUSB_ERROR_NOT_FOUND:
        return "LIBUSB_ERROR_NOT_FOUND";
    case LIBUSB_ERROR_BUSY:
        return "LIBUSB_ERROR_BUSY";
    case LIBUSB_ERROR_TIMEOUT:
        return "LIBUSB_ERROR_TIMEOUT";
    case LIBUSB_ERROR_OVERFLOW:
        return "LIBUSB_ERROR_OVERFLOW";
    case LIBUSB_ERROR_PIPE:
        return "LIBUSB_ERROR_PIPE";
    case LIBUSB_ERROR_INTERRUPTED:
        return "LIBUSB_ERROR_INTERRUPTED";
    case LIBUSB_ERROR_NO_MEM:
        return "LIBUSB_ERROR_NO_MEM";
    case LIBUSB_ERROR_NOT_SUPPORTED:
        return "LIBUSB_ERROR_NOT_SUPPORTED";
    case LIBUSB_ERROR_OTHER:
        return "LIBUSB_ERROR_OTHER";
    case LIBUSB_TRANSFER_ERROR:
        return "LIBUSB_TRANSFER_ERROR";
    case LIBUSB_TRANSFER_TIMED_OUT:
        return "LIBUSB_TRANSFER_TIMED_OUT";
    case LIBUSB_TRANSFER_CANCELLED:
        return "LIBUSB_TRANSFER_CANCELLED";
    case LIBUSB_TRANSFER_STALL:
        return "LIBUSB_TRANSFER_STALL";
    case LIBUSB_TRANSFER_NO_DEVICE:
        return "LIBUSB_TRANSFER_NO_DEVICE";
    case LIBUSB_TRANSFER_OVERFLOW:
        return "LIBUSB_TRANSFER_OVERFLOW";
    default:
        return "**UNKNOWN**";
    }
}

const char* libusb_strerror(int code) {
    switch (code) {
    case LIBUSB_SUCCESS:
        return "Success";
    case LIBUSB_ERROR_IO:
        return "Input/Output Error";
    case LIBUSB_ERROR_INVALID_PARAM:
        return "Invalid parameter";
    case LIBUSB_ERROR_ACCESS:
        return "Access denied (insufficient permissions)";
    case LIBUSB_ERROR_NO_DEVICE:
        return "No such device (it may have been disconnected)";
    case LIBUSB_ERROR_NOT_FOUND:
        return "Entity not found";
    case LIBUSB_ERROR_BUSY:
        return "Resource busy";
    case LIBUSB_ERROR_TIMEOUT:
        return "Operation timed out";
    case LIBUSB_ERROR_OVERFLOW:
        return "Overflow";
    case LIBUSB_ERROR_PIPE:
        return "Pipe error";
    case LIBUSB_ERROR_INTERRUPTED:
        return "System call interrupted (perhaps due to signal)";
    case LIBUSB_ERROR_NO_MEM:
        return "Insufficient memory";
    case LIBUSB_ERROR_NOT_SUPPORTED:
        return "Operation not supported or unimplemented on this platform";
    case LIBUSB_ERROR_OTHER:
        return "Other error";
    default:
        return "Unknown error";
    }
}

} // extern "C"
