// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ctime>

namespace modflash::bench {

// CLOCK_MONOTONIC in nanoseconds: the clock the stand-in tools stamp their lines with, so
// times taken in two processes compare directly.
inline std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

inline double secondsSince(std::int64_t startNs) {
    return static_cast<double>(monotonicNs() - startNs) / 1e9;
}

} // namespace modflash::bench
