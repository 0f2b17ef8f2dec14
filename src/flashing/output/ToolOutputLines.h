// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace modflash {

// Small readings of tool output lines that more than one family's reader needs.

// Without the blanks (space, tab, carriage return, line feed) at either end.
std::string_view trimmed(std::string_view text);
bool contains(std::string_view text, std::string_view part);
// Letter case folded for ASCII only: the tools print their keywords in ASCII, and this runs on
// every line of output, so it stays free of the locale.
bool containsIgnoringCase(std::string_view text, std::string_view part);

// dfu-util's own message in a line, from its program name on ("dfu-util: ...",
// "dfu-util-factory: ..."), or nothing.
std::optional<std::string_view> dfuUtilMessage(std::string_view line);

} // namespace modflash
