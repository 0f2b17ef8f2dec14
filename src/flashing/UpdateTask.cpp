// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/UpdateTask.h"

namespace modflash {

std::string UpdateTask::commandLine() const {
    std::string line = launchPath;
    line += ' ';
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            line += ' ';
        line += arguments[i];
    }
    return line;
}

} // namespace modflash
