// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace modflash {

// A USB device's vendor and product id, written as lsusb and dfu-util do: "0483:df11".
struct UsbId {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;

    std::string text() const;
    // "vvvv:pppp" in hexadecimal, one to four digits each; nothing for anything else.
    static std::optional<UsbId> parse(std::string_view text);

    bool operator==(const UsbId&) const = default;
    bool operator<(const UsbId& other) const {
        return vendor != other.vendor ? vendor < other.vendor : product < other.product;
    }
};

} // namespace modflash
