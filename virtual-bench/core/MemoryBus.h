// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace vbench {

// A 32-bit address space as a bus master sees it: the core fetching and loading, or the debug
// port reading and writing on the host's behalf. Sizes are 1, 2 or 4 bytes, little-endian.
class MemoryBus {
public:
    virtual ~MemoryBus() = default;

    // Empty when the access faults (nothing answers at the address, or not at that size).
    virtual std::optional<std::uint32_t> read(std::uint32_t address, int size) = 0;
    // False when the access faults.
    virtual bool write(std::uint32_t address, int size, std::uint32_t value) = 0;
    // True when a read since the last call changed a device's state (a status register that
    // counts down its busy reads), so that a loop polling it is not idle.
    virtual bool takeReadSideEffect() = 0;
};

} // namespace vbench
