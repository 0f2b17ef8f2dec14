// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/output/ToolOutputLines.h"

#include <algorithm>

namespace modflash {

namespace {

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    const auto it = std::search(text.begin(), text.end(), part.begin(), part.end(),
                                [](char a, char b) { return asciiLower(a) == asciiLower(b); });
    return it != text.end();
}

std::optional<std::string_view> dfuUtilMessage(std::string_view line) {
    for (std::size_t at = line.find("dfu-util"); at != std::string_view::npos;
         at = line.find("dfu-util", at + 1)) {
        // The program name is one word ending in ": ".
        const std::size_t colon = line.find_first_of(" :/", at);
        if (colon != std::string_view::npos && line.substr(colon).starts_with(": "))
            return trimmed(line.substr(at));
    }
    return std::nullopt;
}

} // namespace modflash
