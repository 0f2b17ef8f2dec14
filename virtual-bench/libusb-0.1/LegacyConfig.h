// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConfigurationTree.h"
#include "Libusb0.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace vbench {

// A configuration in libusb 0.1's structures, as usb_find_devices leaves it on a device:
// built once, then pointed into for as long as the device record lives.
class LegacyConfig {
public:
    explicit LegacyConfig(const ConfigurationTree& tree);
    LegacyConfig(const LegacyConfig&) = delete;
    LegacyConfig& operator=(const LegacyConfig&) = delete;

    usb_config_descriptor* descriptor() { return &m_config; }

private:
    unsigned char* keep(const std::vector<std::uint8_t>& bytes);

    usb_config_descriptor m_config{};
    std::vector<usb_interface> m_interfaces;
    std::vector<std::vector<usb_interface_descriptor>> m_settings;
    std::deque<std::vector<usb_endpoint_descriptor>> m_endpoints;
    std::deque<std::vector<std::uint8_t>> m_extras;
};

} // namespace vbench
