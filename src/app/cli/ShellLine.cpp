// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/ShellLine.h"

#include "flashing/UpdateTask.h"

namespace modflash::cli {

namespace {

// Not among them: ~, which bash expands after = or : too, and = in the program's word, which
// would make it an assignment. Bytes of UTF-8 letters are no shell syntax.
bool isPlain(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("_-./:,+@%=").find(c) != std::string_view::npos || byte >= 0x80;
}

std::string quotedWord(std::string_view word) {
    std::string out = "'";
    for (const char c : word)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace

std::string shellWord(std::string_view word) {
    for (const char c : word)
        if (!isPlain(c))
            return quotedWord(word);
    return word.empty() ? "''" : std::string(word);
}

std::string shellLine(const UpdateTask& task) {
    std::string line;
    // The names are the program's own (LD_LIBRARY_PATH), never typed, so only values need quotes.
    for (const auto& [name, value] : task.environment)
        line += name + '=' + shellWord(value) + ' ';
    const std::string program = shellWord(task.launchPath);
    line += program.find('=') == std::string::npos ? program : quotedWord(task.launchPath);
    for (const std::string& argument : task.arguments)
        line += ' ' + shellWord(argument);
    return line;
}

} // namespace modflash::cli
