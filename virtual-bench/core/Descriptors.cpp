// SPDX-License-Identifier: GPL-3.0-or-later
#include "Descriptors.h"

namespace vbench::descriptors {

namespace {

void putLe16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xff));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

} // namespace

std::vector<std::uint8_t> deviceDescriptor(const DeviceFields& fields) {
    std::vector<std::uint8_t> bytes{18, device};
    putLe16(bytes, fields.usbVersion);
    bytes.insert(bytes.end(), {fields.deviceClass, 0, 0, fields.maxPacketSize0});
    putLe16(bytes, fields.vendorId);
    putLe16(bytes, fields.productId);
    putLe16(bytes, fields.deviceVersion);
    bytes.insert(bytes.end(),
                 {fields.manufacturerIndex, fields.productIndex, fields.serialIndex, 1});
    return bytes;
}

std::vector<std::uint8_t> configurationDescriptor(std::uint8_t interfaceCount,
                                                  std::uint8_t attributes, std::uint8_t maxPower2mA,
                                                  std::span<const std::uint8_t> body) {
    std::vector<std::uint8_t> bytes{9, configuration};
    putLe16(bytes, static_cast<std::uint16_t>(9 + body.size()));
    bytes.insert(bytes.end(), {interfaceCount, 1, 0, attributes, maxPower2mA});
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

std::vector<std::uint8_t> interfaceDescriptor(std::uint8_t number, std::uint8_t alternate,
                                              std::uint8_t endpointCount,
                                              std::uint8_t interfaceClass, std::uint8_t subClass,
                                              std::uint8_t protocol, std::uint8_t nameIndex) {
    return {9,        interface, number,   alternate, endpointCount, interfaceClass,
            subClass, protocol,  nameIndex};
}

std::vector<std::uint8_t> endpointDescriptor(std::uint8_t address, std::uint8_t attributes,
                                             std::uint16_t maxPacketSize, std::uint8_t interval) {
    std::vector<std::uint8_t> bytes{7, endpoint, address, attributes};
    putLe16(bytes, maxPacketSize);
    bytes.push_back(interval);
    return bytes;
}

std::vector<std::uint8_t> languageDescriptor() {
    return {4, string, 0x09, 0x04};
}

std::vector<std::uint8_t> stringDescriptor(std::string_view ascii) {
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(2 + 2 * ascii.size()), string};
    for (const char c : ascii)
        putLe16(bytes, static_cast<std::uint8_t>(c));
    return bytes;
}

std::uint16_t readLe16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t readLe32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) |
           (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

} // namespace vbench::descriptors
