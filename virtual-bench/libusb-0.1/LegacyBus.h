// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LegacyConfig.h"
#include "Libusb0.h"
#include "VirtualBus.h"

#include <memory>
#include <string>
#include <vector>

namespace vbench {

// libusb 0.1's view of the emulated bus: one usb_bus ("001") whose device list
// usb_find_devices brings up to date. A device record outlives its module's departure, since a
// program may still hold it or a handle on it; only the list forgets it.
class LegacyBus {
public:
    struct Record {
        struct usb_device device {};
        std::shared_ptr<VirtualDevice> module;
        std::unique_ptr<LegacyConfig> config;
    };

    static LegacyBus& instance();

    int findBusses();
    int findDevices();
    Record* recordOf(const struct usb_device* device);
    const StateDirectory& directory() const { return m_bus.directory(); }

private:
    LegacyBus();
    void relink();

    VirtualBus m_bus;
    usb_bus m_legacyBus{};
    bool m_bussesFound = false;
    std::vector<std::unique_ptr<Record>> m_records;
    std::vector<Record*> m_listed;
};

} // namespace vbench
