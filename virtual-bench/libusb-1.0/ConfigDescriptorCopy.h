// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConfigurationTree.h"

#include <libusb.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace vbench {

// A libusb_config_descriptor and everything it points to, built from a parsed configuration
// and kept alive together until libusb_free_config_descriptor.
class ConfigDescriptorCopy {
public:
    static std::unique_ptr<ConfigDescriptorCopy> of(const ConfigurationTree& tree);

    libusb_config_descriptor* descriptor() { return &m_config; }

private:
    // Extra bytes stay where they are stored: a deque does not move its elements.
    std::pair<const unsigned char*, int> keepExtra(const std::vector<std::uint8_t>& bytes);

    libusb_config_descriptor m_config{};
    std::vector<libusb_interface> m_interfaces;
    std::vector<std::vector<libusb_interface_descriptor>> m_settings;
    std::deque<std::vector<libusb_endpoint_descriptor>> m_endpoints;
    std::deque<std::vector<std::uint8_t>> m_extras;
};

} // namespace vbench
