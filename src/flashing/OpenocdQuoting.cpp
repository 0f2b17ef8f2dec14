// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/OpenocdQuoting.h"

namespace modflash {

std::string escapeForOpenocdQuotes(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '\\' || c == '"' || c == '[' || c == ']' || c == '$')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

} // namespace modflash
