#include "ToolOutputLines.h"

#include <algorithm>

namespace modflash {

namespace {

// Tools print their keywords in ASCII; folding only ASCII letters keeps this free of the
// locale, and it runs on every line of output.
char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    const auto it = std::search(text.begin(), text.end(), part.begin(), part.end(),
                                [](char a, char b) { return asciiLower(a) == asciiLower(b); });
    return it != text.end();
}

std::optional<std::string_view> avrdudeError(std::string_view line) {
    if (line.starts_with("avrdude warning") || line.starts_with("avrdude: warning"))
        return std::nullopt;
    if (containsIgnoringCase(line, "error") || containsIgnoringCase(line, "failed"))
        return line;
    return std::nullopt;
}

std::optional<std::string_view> dfuUtilError(std::string_view line) {
    const auto message = dfuUtilMessage(line);
    if (!message)
        return std::nullopt;
    const std::string_view text = message->substr(message->find(": ") + 2);
    // The notice that follows the suffix warning is part of that warning.
    if (text.starts_with("Warning") || text.starts_with("A valid DFU suffix will be required"))
        return std::nullopt;
    return message;
}

std::optional<std::string_view> openocdError(std::string_view line) {
    if (line.starts_with("Error"))
        return line;
    return std::nullopt;
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

std::optional<std::string_view> errorLine(std::string_view family, std::string_view line) {
    line = trimmed(line);
    if (line.empty())
        return std::nullopt;
    if (family == "avr")
        return avrdudeError(line);
    if (family == "dfu")
        return dfuUtilError(line);
    if (family == "swd")
        return openocdError(line);
    if (containsIgnoringCase(line, "error") || containsIgnoringCase(line, "failed"))
        return line;
    return std::nullopt;
}

} // namespace modflash
