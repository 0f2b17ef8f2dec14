// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace modflash {

// Compares UTF-8 texts character by character by Unicode value after folding letter case:
// no locale, no numeric reading of digit runs, a leading part sorts first. Negative, zero or
// positive like strcmp.
int compareCaseInsensitive(std::string_view left, std::string_view right);

inline bool lessCaseInsensitive(std::string_view left, std::string_view right) {
    return compareCaseInsensitive(left, right) < 0;
}

} // namespace modflash
