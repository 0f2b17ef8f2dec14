// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace modflash {

// The one rule for "did you mean ...?", for product names and the command line's words alike:
// a known name is close to a typed one that is a few typing mistakes away from it (a third of
// its length, two at least) or begins it. ASCII letter case is ignored; other bytes compare as
// they are.
bool isCloseName(std::string_view typed, std::string_view known);

// The known names close to typed, in their given order.
std::vector<std::string> closeNames(std::string_view typed, const std::vector<std::string>& known);

} // namespace modflash
