#pragma once

#include <string>
#include <vector>

namespace modflash::bench {

// One run of a program as a child process with its standard output (and error) sent to
// /dev/null, or captured when asked; timed from just before the spawn to the child's end.
struct ChildRun {
    double seconds = 0;
    int exitStatus = -1; // -1: ended by a signal or could not start
    std::string output;  // captured standard output, when asked for

    static ChildRun run(const std::vector<std::string>& command, bool captureOutput = false);
};

// The fastest of `times` runs: the run least disturbed by the rest of the machine.
ChildRun fastestOf(int times, const std::vector<std::string>& command);

} // namespace modflash::bench
