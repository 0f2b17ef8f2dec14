// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace modflash::bench {

// One run of a program as a child process with its standard output (and error) sent to
// /dev/null, or captured when asked; timed from just before the spawn to the child's end.
struct ChildRun {
    std::int64_t startedNs = 0; // CLOCK_MONOTONIC just before the spawn
    double seconds = 0;
    int exitStatus = -1; // -1: ended by a signal or could not start
    std::string output;  // captured standard output, when asked for

    // A value the child printed as a "key value" line; 0 when it printed none.
    double value(const std::string& key) const;

    static ChildRun run(const std::vector<std::string>& command, bool captureOutput = false);
};

// The fastest of `times` runs: the run least disturbed by the rest of the machine.
ChildRun fastestOf(int times, const std::vector<std::string>& command);

} // namespace modflash::bench
