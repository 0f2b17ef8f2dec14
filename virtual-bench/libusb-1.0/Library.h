// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ControlTransfer.h"
#include "Handouts.h"

#include <libusb.h>

#include <mutex>

namespace vbench {

// One lock for the whole library: the tools call it from one thread, and the window's event
// handling calls back into it from inside a callback.
std::recursive_mutex& libraryLock();

Handouts& handouts();

libusb_error errorFor(UsbStatus status);

// The context libusb_init(NULL) made, for the calls given a null context.
libusb_context*& defaultContext();
libusb_context* contextOrDefault(libusb_context* context);

} // namespace vbench
