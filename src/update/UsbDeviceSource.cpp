#include "UsbDeviceSource.h"

namespace modflash {

UsbDeviceSource::~UsbDeviceSource() = default;

} // namespace modflash
