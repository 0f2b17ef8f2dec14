// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-in for a tool that reports slowly: one short line every INTERVAL milliseconds, each
// carrying the CLOCK_MONOTONIC time (nanoseconds) just before its write, so a reader on the same
// machine can tell how long the line took to reach it.
//
//   slowlines [COUNT [INTERVAL_MS]]     prints "line <n> written <ns>\n"

#include "WriteAll.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char* argv[]) {
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100;
    const long intervalMs = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 100;
    timespec due{};
    clock_gettime(CLOCK_MONOTONIC, &due);
    for (long n = 1; n <= count; ++n) {
        due.tv_nsec += intervalMs * 1000000L;
        while (due.tv_nsec >= 1000000000L) {
            due.tv_nsec -= 1000000000L;
            ++due.tv_sec;
        }
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) != 0) {
        }
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        char line[80];
        const int size =
            std::snprintf(line, sizeof line, "line %ld written %lld\n", n,
                          static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        if (!modflash::bench::writeAll(1, line, static_cast<std::size_t>(size)))
            return 1;
    }
    return 0;
}
