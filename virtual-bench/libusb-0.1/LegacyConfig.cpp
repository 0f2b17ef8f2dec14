// SPDX-License-Identifier: GPL-3.0-or-later
#include "LegacyConfig.h"

#include "Descriptors.h"

namespace vbench {

unsigned char* LegacyConfig::keep(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty())
        return nullptr;
    return m_extras.emplace_back(bytes).data();
}

LegacyConfig::LegacyConfig(const ConfigurationTree& tree) {
    const auto& header = tree.descriptor;
    m_config.bLength = header[0];
    m_config.bDescriptorType = header[1];
    m_config.wTotalLength = descriptors::readLe16(header, 2);
    m_config.bNumInterfaces = header[4];
    m_config.bConfigurationValue = header[5];
    m_config.iConfiguration = header[6];
    m_config.bmAttributes = header[7];
    m_config.MaxPower = header[8];
    m_config.extra = keep(tree.extra);
    m_config.extralen = static_cast<int>(tree.extra.size());

    m_settings.resize(tree.interfaces.size());
    for (std::size_t i = 0; i < tree.interfaces.size(); ++i) {
        auto& settings = m_settings[i];
        for (const auto& setting : tree.interfaces[i].settings) {
            const auto& bytes = setting.descriptor;
            usb_interface_descriptor out{};
            out.bLength = bytes[0];
            out.bDescriptorType = bytes[1];
            out.bInterfaceNumber = bytes[2];
            out.bAlternateSetting = bytes[3];
            out.bNumEndpoints = bytes[4];
            out.bInterfaceClass = bytes[5];
            out.bInterfaceSubClass = bytes[6];
            out.bInterfaceProtocol = bytes[7];
            out.iInterface = bytes[8];
            out.extra = keep(setting.extra);
            out.extralen = static_cast<int>(setting.extra.size());
            auto& endpoints = m_endpoints.emplace_back();
            for (const auto& endpoint : setting.endpoints) {
                const auto& e = endpoint.descriptor;
                usb_endpoint_descriptor each{};
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
                each.extra = keep(endpoint.extra);
                each.extralen = static_cast<int>(endpoint.extra.size());
                endpoints.push_back(each);
            }
            out.endpoint = endpoints.empty() ? nullptr : endpoints.data();
            settings.push_back(out);
        }
        m_interfaces.push_back({settings.data(), static_cast<int>(settings.size())});
    }
    m_config.interface = m_interfaces.data();
}

} // namespace vbench
