// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vbench {

// A configuration descriptor taken apart the way libusb does it: the configuration, its
// interfaces with their alternate settings in order, each setting's endpoints, and the
// descriptors a library does not know kept as "extra" bytes on what they follow (a DFU
// functional descriptor ends up on the interface setting before it).
struct ConfigurationTree {
    struct Endpoint {
        std::vector<std::uint8_t> descriptor;
        std::vector<std::uint8_t> extra;
    };
    struct Setting {
        std::vector<std::uint8_t> descriptor;
        std::vector<std::uint8_t> extra;
        std::vector<Endpoint> endpoints;
        std::uint8_t number() const { return descriptor[2]; }
        std::uint8_t alternate() const { return descriptor[3]; }
    };
    struct Interface {
        std::vector<Setting> settings;
    };

    std::vector<std::uint8_t> descriptor; // the first nine bytes
    std::vector<std::uint8_t> extra;
    std::vector<Interface> interfaces;

    // Throws std::invalid_argument for bytes that are not a whole configuration descriptor.
    static ConfigurationTree parse(std::span<const std::uint8_t> bytes);

    const Setting* setting(int interfaceNumber, int alternate) const;
};

} // namespace vbench
