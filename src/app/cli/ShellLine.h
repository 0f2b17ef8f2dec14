// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace modflash {
struct UpdateTask;
}

namespace modflash::cli {

// A word a POSIX shell reads back as it is: unchanged when every character is one the shell
// leaves alone, else in single quotes with each ' in it written '\''. A newline stays inside the
// quotes, where the shell keeps it.
std::string shellWord(std::string_view word);

// The command as one shell line: its environment as assignments, the program, its arguments.
// Run by a shell, it starts the program with exactly this argument vector.
std::string shellLine(const UpdateTask& task);

} // namespace modflash::cli
