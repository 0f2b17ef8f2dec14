// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/UsbDeviceSource.h"

namespace modflash {

UsbDeviceSource::~UsbDeviceSource() = default;

} // namespace modflash
