// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace modflash::bench {

// This process's memory as the kernel counts it (/proc/self/status), in bytes.
struct ProcessMemory {
    std::int64_t resident = 0; // VmRSS
    std::int64_t peak = 0;     // VmHWM: the highest VmRSS so far

    static ProcessMemory now();
};

} // namespace modflash::bench
