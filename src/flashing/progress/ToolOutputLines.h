#pragma once

#include <optional>
#include <string_view>

namespace modflash {

// What the flashing tools' output lines mean, shared by the progress parsers and the verdict.

std::string_view trimmed(std::string_view text);
bool contains(std::string_view text, std::string_view part);

// The part of a line that reports an error of the family's tool, trimmed; nothing for any
// other line. avrdude: lines with "error" or "failed" (not its warnings); dfu-util: its own
// messages ("dfu-util: ...", under whatever name it was started) other than warnings, even
// where one follows a progress bar on the same line; openocd: "Error" lines. Any other family:
// lines with "error" or "failed".
std::optional<std::string_view> errorLine(std::string_view family, std::string_view line);

// dfu-util's own message in a line, from its program name on ("dfu-util: ...",
// "dfu-util-factory: ..."), or nothing.
std::optional<std::string_view> dfuUtilMessage(std::string_view line);

} // namespace modflash
