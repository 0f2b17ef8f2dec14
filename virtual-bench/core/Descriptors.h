// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// The standard USB descriptors as the bytes a device sends for them.
namespace vbench::descriptors {

enum Type : std::uint8_t {
    device = 1,
    configuration = 2,
    string = 3,
    interface = 4,
    endpoint = 5,
};

struct DeviceFields {
    std::uint16_t usbVersion = 0x0200;
    std::uint8_t deviceClass = 0;
    std::uint8_t maxPacketSize0 = 64;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t deviceVersion = 0;
    std::uint8_t manufacturerIndex = 0;
    std::uint8_t productIndex = 0;
    std::uint8_t serialIndex = 0;
};

std::vector<std::uint8_t> deviceDescriptor(const DeviceFields& fields);

// A configuration descriptor (value 1) with everything that follows it.
std::vector<std::uint8_t> configurationDescriptor(std::uint8_t interfaceCount,
                                                  std::uint8_t attributes, std::uint8_t maxPower2mA,
                                                  std::span<const std::uint8_t> body);

std::vector<std::uint8_t> interfaceDescriptor(std::uint8_t number, std::uint8_t alternate,
                                              std::uint8_t endpointCount,
                                              std::uint8_t interfaceClass, std::uint8_t subClass,
                                              std::uint8_t protocol, std::uint8_t nameIndex);

std::vector<std::uint8_t> endpointDescriptor(std::uint8_t address, std::uint8_t attributes,
                                             std::uint16_t maxPacketSize, std::uint8_t interval);

// String descriptor 0: the one language the devices speak, US English.
std::vector<std::uint8_t> languageDescriptor();
std::vector<std::uint8_t> stringDescriptor(std::string_view ascii);

std::uint16_t readLe16(std::span<const std::uint8_t> bytes, std::size_t at);
std::uint32_t readLe32(std::span<const std::uint8_t> bytes, std::size_t at);

} // namespace vbench::descriptors
