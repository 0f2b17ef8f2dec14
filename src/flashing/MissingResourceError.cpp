// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/MissingResourceError.h"

namespace modflash {

MissingResourceError::MissingResourceError(const std::string& what, const std::string& expectedPath)
    : std::runtime_error(what + " is missing: looked for " + expectedPath)
    , m_expectedPath(expectedPath) {}

} // namespace modflash
