// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace vbench {

// The eight bytes a control transfer starts with, as the host sends them.
struct SetupPacket {
    std::uint8_t requestType = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;

    enum Type { standard = 0, classRequest = 1, vendor = 2 };
    enum Recipient { toDevice = 0, toInterface = 1, toEndpoint = 2 };

    bool isIn() const { return (requestType & 0x80) != 0; }
    int type() const { return (requestType >> 5) & 3; }
    int recipient() const { return requestType & 0x1f; }
    // Bytes the host sends in the data stage.
    std::uint16_t outLength() const { return isIn() ? 0 : length; }
};

// How a transfer ended on the bus, before a library turns it into its own error codes.
enum class UsbStatus {
    ok,
    stall,        // the device refused the request
    noDevice,     // the device is gone
    notSupported, // the emulation does not offer this
    io,           // the device stopped answering in the middle of the transfer
    timeout,      // the device had nothing to send (it NAKs an IN transfer)
};

struct ControlResult {
    UsbStatus status = UsbStatus::ok;
    int length = 0; // bytes moved in the data stage when the status is ok

    static ControlResult done(int length) { return {UsbStatus::ok, length}; }
    static ControlResult failed(UsbStatus status) { return {status, 0}; }
};

// The data stage of one control transfer, or the data of a bulk transfer: what the host sent,
// or room for the answer.
using DataStage = std::span<std::uint8_t>;

} // namespace vbench
