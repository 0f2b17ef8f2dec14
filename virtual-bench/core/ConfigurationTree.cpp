// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigurationTree.h"

#include "Descriptors.h"

#include <stdexcept>

namespace vbench {

namespace {

// The descriptors from at up to the next one of the kinds a library parses itself.
std::vector<std::uint8_t> extraFrom(std::span<const std::uint8_t> bytes, std::size_t& at) {
    const std::size_t start = at;
    while (at + 1 < bytes.size()) {
        const auto type = bytes[at + 1];
        if (type == descriptors::interface || type == descriptors::endpoint ||
            type == descriptors::configuration || type == descriptors::device)
            break;
        at += bytes[at];
    }
    return {bytes.begin() + static_cast<std::ptrdiff_t>(start),
            bytes.begin() + static_cast<std::ptrdiff_t>(at)};
}

std::vector<std::uint8_t> take(std::span<const std::uint8_t> bytes, std::size_t& at,
                               std::uint8_t type) {
    if (at + 2 > bytes.size() || bytes[at + 1] != type || bytes[at] < 2 ||
        at + bytes[at] > bytes.size())
        throw std::invalid_argument("malformed configuration descriptor");
    const std::size_t length = bytes[at];
    at += length;
    return {bytes.begin() + static_cast<std::ptrdiff_t>(at - length),
            bytes.begin() + static_cast<std::ptrdiff_t>(at)};
}

} // namespace

ConfigurationTree ConfigurationTree::parse(std::span<const std::uint8_t> bytes) {
    ConfigurationTree tree;
    std::size_t at = 0;
    tree.descriptor = take(bytes, at, descriptors::configuration);
    if (tree.descriptor.size() < 9 || descriptors::readLe16(tree.descriptor, 2) != bytes.size())
        throw std::invalid_argument("configuration descriptor of the wrong length");
    for (std::size_t i = at; i < bytes.size(); i += bytes[i]) {
        if (bytes[i] < 2)
            throw std::invalid_argument("descriptor of length below two");
    }
    tree.extra = extraFrom(bytes, at);
    while (at < bytes.size()) {
        Setting setting;
        setting.descriptor = take(bytes, at, descriptors::interface);
        setting.extra = extraFrom(bytes, at);
        for (int count = setting.descriptor[4]; count > 0; --count) {
            Endpoint endpoint;
            endpoint.descriptor = take(bytes, at, descriptors::endpoint);
            endpoint.extra = extraFrom(bytes, at);
            setting.endpoints.push_back(std::move(endpoint));
        }
        Interface* home = nullptr;
        for (auto& interface : tree.interfaces) {
            if (interface.settings.front().number() == setting.number())
                home = &interface;
        }
        if (!home)
            home = &tree.interfaces.emplace_back();
        home->settings.push_back(std::move(setting));
    }
    return tree;
}

const ConfigurationTree::Setting* ConfigurationTree::setting(int interfaceNumber,
                                                             int alternate) const {
    for (const auto& interface : interfaces) {
        for (const auto& each : interface.settings) {
            if (each.number() == interfaceNumber && each.alternate() == alternate)
                return &each;
        }
    }
    return nullptr;
}

} // namespace vbench
