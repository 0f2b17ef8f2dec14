// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigDescriptorCopy.h"

#include "Descriptors.h"

namespace vbench {

std::pair<const unsigned char*, int>
ConfigDescriptorCopy::keepExtra(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty())
        return {nullptr, 0};
    const auto& kept = m_extras.emplace_back(bytes);
    return {kept.data(), static_cast<int>(kept.size())};
}

std::unique_ptr<ConfigDescriptorCopy> ConfigDescriptorCopy::of(const ConfigurationTree& tree) {
    auto copy = std::make_unique<ConfigDescriptorCopy>();
    const auto& header = tree.descriptor;
    auto& config = copy->m_config;
    config.bLength = header[0];
    config.bDescriptorType = header[1];
    config.wTotalLength = descriptors::readLe16(header, 2);
    config.bNumInterfaces = header[4];
    config.bConfigurationValue = header[5];
    config.iConfiguration = header[6];
    config.bmAttributes = header[7];
    config.MaxPower = header[8];
    std::tie(config.extra, config.extra_length) = copy->keepExtra(tree.extra);

    copy->m_settings.resize(tree.interfaces.size());
    for (std::size_t i = 0; i < tree.interfaces.size(); ++i) {
        auto& settings = copy->m_settings[i];
        for (const auto& setting : tree.interfaces[i].settings) {
            const auto& bytes = setting.descriptor;
            libusb_interface_descriptor out{};
            out.bLength = bytes[0];
            out.bDescriptorType = bytes[1];
            out.bInterfaceNumber = bytes[2];
            out.bAlternateSetting = bytes[3];
            out.bNumEndpoints = bytes[4];
            out.bInterfaceClass = bytes[5];
            out.bInterfaceSubClass = bytes[6];
            out.bInterfaceProtocol = bytes[7];
            out.iInterface = bytes[8];
            std::tie(out.extra, out.extra_length) = copy->keepExtra(setting.extra);
            auto& endpoints = copy->m_endpoints.emplace_back();
            for (const auto& endpoint : setting.endpoints) {
                const auto& e = endpoint.descriptor;
                libusb_endpoint_descriptor each{};
                each.bLength = e[0];
                each.bDescriptorType = e[1];
                each.bEndpointAddress = e[2];
                each.bmAttributes = e[3];
                each.wMaxPacketSize = descriptors::readLe16(e, 4);
                each.bInterval = e[6];
                if (e.size() >= 9) {
                    each.bRefresh = e[7];
                    each.bSynchAddress = e[8];
                }
                std::tie(each.extra, each.extra_length) = copy->keepExtra(endpoint.extra);
                endpoints.push_back(each);
            }
            out.endpoint = endpoints.empty() ? nullptr : endpoints.data();
            settings.push_back(out);
        }
        copy->m_interfaces.push_back({settings.data(), static_cast<int>(settings.size())});
    }
    config.interface = copy->m_interfaces.data();
    return copy;
}

} // namespace vbench
