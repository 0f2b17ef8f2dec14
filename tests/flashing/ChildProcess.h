#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace modflash::testing {

// Runs a program the way an update does: the argument vector element by element, no shell,
// the given environment and nothing else, standard output and error joined. A program that
// outlives the safety limit is killed, so a hung tool cannot hang the test run.
class ChildProcess {
public:
    struct Result {
        bool started = false;
        bool killed = false; // ended by a signal, or by the safety limit
        int exitStatus = -1;
        std::string output;
    };

    static Result run(const std::string& program, const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& environment,
                      std::chrono::seconds limit = std::chrono::seconds(60));
};

} // namespace modflash::testing
