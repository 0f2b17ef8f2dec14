// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/TextLookup.h"

#include <utility>

namespace modflash {

namespace {

TextLookup installedLookup = nullptr;
std::string installedSeparator = ",";

} // namespace

void setTextLookup(TextLookup lookup, std::string digitGroupSeparator) {
    installedLookup = lookup;
    installedSeparator = std::move(digitGroupSeparator);
}

const std::string& digitGroupSeparator() {
    return installedSeparator;
}

std::string translated(const char* context, const char* text) {
    return installedLookup ? installedLookup(context, text) : std::string(text);
}

std::string substituted(const std::string& text, const std::vector<std::string>& values) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const std::size_t index = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            result += values[index];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

} // namespace modflash
