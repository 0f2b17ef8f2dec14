// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

#include <cstdio>

namespace modflash::bench {

void Report::print() const {
    char ratioText[32] = "     -";
    if (ratio >= 0)
        std::snprintf(ratioText, sizeof ratioText, "%6.2f", ratio);
    std::printf("%-22s %-34s baseline %-38s ratio %s  target %-10s %s\n", target.c_str(),
                figure.c_str(), baseline.c_str(), ratioText, limitText.c_str(),
                passed() ? "PASS" : "MISS");
    std::fflush(stdout);
}

void printNote(const std::string& target, const std::string& text) {
    std::printf("%-22s %s\n", target.c_str(), text.c_str());
    std::fflush(stdout);
}

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", value);
    return text;
}

std::string milliseconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", value);
    return text;
}

std::string mebibytes(double bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", bytes / (1024.0 * 1024.0));
    return text;
}

} // namespace modflash::bench
