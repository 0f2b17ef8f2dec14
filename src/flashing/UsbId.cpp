// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/UsbId.h"

#include <charconv>
#include <cstdio>

namespace modflash {

namespace {

std::optional<std::uint16_t> hexField(std::string_view text) {
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    std::uint16_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::string UsbId::text() const {
    char buffer[10];
    std::snprintf(buffer, sizeof buffer, "%04x:%04x", vendor, product);
    return buffer;
}

std::optional<UsbId> UsbId::parse(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto vendor = hexField(text.substr(0, colon));
    const auto product = hexField(text.substr(colon + 1));
    if (!vendor || !product)
        return std::nullopt;
    return UsbId{*vendor, *product};
}

} // namespace modflash
