// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CloseNames.h"

#include <algorithm>

namespace modflash {

namespace {

std::string folded(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return out;
}

// Levenshtein distance over bytes: the names compared are ASCII but for a few letters, and a
// product's page name stands in for those.
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

bool isCloseName(std::string_view typed, std::string_view known) {
    const std::string a = folded(typed);
    const std::string b = folded(known);
    const std::size_t allowed = std::max<std::size_t>(2, a.size() / 3);
    return editDistance(a, b) <= allowed || (!a.empty() && b.starts_with(a));
}

std::vector<std::string> closeNames(std::string_view typed, const std::vector<std::string>& known) {
    std::vector<std::string> close;
    for (const std::string& name : known)
        if (isCloseName(typed, name))
            close.push_back(name);
    return close;
}

} // namespace modflash
