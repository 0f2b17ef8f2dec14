// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "update/UsbDeviceSource.h"

#include <algorithm>

namespace modflash::testing {

inline const UsbId usbtiny{0x1781, 0x0c9f};
inline const UsbId avrisp2{0x03eb, 0x2104};
inline const UsbId usbasp{0x16c0, 0x05dc};
inline const UsbId dfuBootLoader{0x0483, 0xdf11};

// Devices a test plugs in and pulls out by hand.
class FakeUsbDeviceSource : public UsbDeviceSource {
public:
    std::vector<UsbId> devices() const override { return m_devices; }
    bool isAvailable() const override { return m_available; }
    std::optional<std::string> dfuMemoryLayout(UsbId id) const override {
        return id == dfuBootLoader ? memoryLayout : std::nullopt;
    }
    std::optional<std::string> memoryLayout; // what the boot loader describes, if it does
    bool mayOpen(UsbId id) const override {
        return std::find(refused.begin(), refused.end(), id) == refused.end();
    }
    std::vector<UsbId> refused; // devices whose node this user may not open

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
