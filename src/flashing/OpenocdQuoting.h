// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace modflash {

// Escapes text for use between double quotes in an openocd command. Inside quotes openocd's
// interpreter still substitutes "[...]", "$name" and backslash sequences, and a '"' ends the
// word, so each of \ " [ ] $ gets a backslash in front; anything else is left alone.
std::string escapeForOpenocdQuotes(std::string_view text);

} // namespace modflash
