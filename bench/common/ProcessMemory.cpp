// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessMemory.h"

#include <fstream>
#include <sstream>
#include <string>

namespace modflash::bench {

ProcessMemory ProcessMemory::now() {
    ProcessMemory memory;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        std::istringstream fields(line);
        std::string key;
        std::int64_t kib = 0;
        fields >> key >> kib;
        if (key == "VmRSS:")
            memory.resident = kib * 1024;
        else if (key == "VmHWM:")
            memory.peak = kib * 1024;
    }
    return memory;
}

} // namespace modflash::bench
