// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace modflash::cli {

// The checks before writing refuse the image or the module: nothing is run, and the reason (one
// line, naming the file or the chip) says what to do instead.
class Refusal : public std::runtime_error {
public:
    explicit Refusal(const std::string& reason)
        : std::runtime_error(reason) {}
};

} // namespace modflash::cli
