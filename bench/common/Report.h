// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace modflash::bench {

// One line of `make bench`: a figure measured against a baseline taken in the same run, since
// the machines are too noisy for absolute numbers. Lower is better for every figure here.
struct Report {
    std::string target;   // e.g. "1 log throughput"
    std::string figure;   // what was measured, with its unit
    std::string baseline; // what it is compared with, with its unit
    double ratio = 0;     // figure / baseline; negative when the two do not divide
    double limit = 0;     // the ratio may not exceed this
    std::string limitText;
    // For a target set in absolute terms (such as "under 50 ms"): the value held against
    // `limit` instead of the ratio.
    double absolute = -1;

    bool passed() const { return (absolute >= 0 ? absolute : ratio) <= limit; }
    void print() const;
};

// A line that records a figure without a pass mark (such as the naive log's curve).
void printNote(const std::string& target, const std::string& text);

std::string seconds(double value);
std::string milliseconds(double value);
std::string mebibytes(double bytes);

} // namespace modflash::bench
