#pragma once

#include "UsbDeviceSource.h"

#include <algorithm>

namespace modflash::testing {

// Devices a test plugs in and pulls out by hand.
class FakeUsbDeviceSource : public UsbDeviceSource {
public:
    std::vector<UsbId> devices() const override { return m_devices; }
    bool isAvailable() const override { return m_available; }

    void plug(UsbId id) {
        m_devices.push_back(id);
        emit devicesChanged();
    }
    void unplug(UsbId id) {
        m_devices.erase(std::remove(m_devices.begin(), m_devices.end(), id), m_devices.end());
        emit devicesChanged();
    }
    void setAvailable(bool available) {
        m_available = available;
        emit devicesChanged();
    }

private:
    std::vector<UsbId> m_devices;
    bool m_available = true;
};

} // namespace modflash::testing
