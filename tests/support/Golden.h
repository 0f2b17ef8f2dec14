// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Expected results kept as reviewed text under tests/data/core: a test renders what it observes
// as lines and compares them with the file. MODFLASH_UPDATE_GOLDEN=1 rewrites the files instead,
// so that a deliberate change is one run and a diff to review.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace modflash::testing {

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Control bytes as \xHH, so that a transcript stays one line per fact, and back.
inline std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
        out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? hex : std::string(1, c);
    }
    return out;
}
inline std::string unescaped(std::string text) {
    for (std::size_t at = 0; (at = text.find("\\x", at)) != std::string::npos; ++at)
        if (at + 4 <= text.size() && isxdigit(text[at + 2]) && isxdigit(text[at + 3]))
            text.replace(at, 4, 1,
                         static_cast<char>(std::stoi(text.substr(at + 2, 2), nullptr, 16)));
    return text;
}

inline void expectMatchesGolden(const std::string& name, const std::string& transcript) {
    const std::string path = std::string(MODFLASH_GOLDEN_DIR) + "/" + name;
    if (const char* update = std::getenv("MODFLASH_UPDATE_GOLDEN"); update && *update == '1') {
        std::ofstream(path, std::ios::binary) << transcript;
        return;
    }
    // Both as text, so that a difference shows as a diff of lines.
    EXPECT_EQ(readFile(path), transcript)
        << path << " differs; MODFLASH_UPDATE_GOLDEN=1 rewrites it";
}

// For files of "input → result" lines: each input's result rendered anew, other lines kept, and
// at least `cases` inputs, so that a file emptied by mistake fails.
inline void expectEachLineMaps(const std::string& name, std::size_t cases,
                               const std::function<std::string(const std::string&)>& result) {
    const std::string arrow = " \u2192 ";
    std::string transcript;
    for (const auto& line : linesOf(readFile(std::string(MODFLASH_GOLDEN_DIR) + "/" + name))) {
        const auto at = line.find(arrow);
        cases -= cases > 0 && at != std::string::npos;
        transcript += at == std::string::npos || line.starts_with("#")
                          ? line + "\n"
                          : line.substr(0, at) + arrow +
                                escaped(result(unescaped(line.substr(0, at)))) + "\n";
    }
    EXPECT_EQ(cases, 0u) << name << " holds fewer cases than expected";
    expectMatchesGolden(name, transcript);
}

} // namespace modflash::testing
