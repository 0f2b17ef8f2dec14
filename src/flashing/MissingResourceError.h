// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace modflash {

// A resource a flashing command needs is not in the resource directory. The message names
// what is missing and where it was looked for, so a person can put it there.
class MissingResourceError : public std::runtime_error {
public:
    MissingResourceError(const std::string& what, const std::string& expectedPath);

    const std::string& expectedPath() const { return m_expectedPath; }

private:
    std::string m_expectedPath;
};

} // namespace modflash
