// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace modflash::cli {

// Something typed on the command line cannot be used: an unknown product, version, option or
// subcommand, a missing argument, or a choice that factory firmware must allow. The message is
// one line (UTF-8, without the program name) that says what to do instead.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message)
        : std::runtime_error(message) {}
};

} // namespace modflash::cli
