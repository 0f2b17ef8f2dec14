// SPDX-License-Identifier: GPL-3.0-or-later
// The image checks before an update: what checking a 1 MiB image costs, the largest binary an
// STM32 module of the catalogue takes and far more than any AVR image, with its SHA-256,
// against hashing the same bytes alone (the part of the work no check can leave out).

#include "Clock.h"
#include "Report.h"
#include "flashing/ImageCheck.h"
#include "flashing/Sha256.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

using namespace modflash;
using namespace modflash::bench;

namespace {

constexpr std::size_t imageSize = 1024 * 1024;

// Median of repeated runs, in seconds.
double medianSeconds(int repeats, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const std::int64_t start = monotonicNs();
        work();
        times.push_back(secondsSince(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A binary image with a sound vector table and pseudo-random code after it.
std::string binaryImage() {
    std::string image(imageSize, '\0');
    std::uint32_t state = 0x2545F491;
    for (char& byte : image) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state);
    }
    const std::uint32_t words[] = {0x20020000, 0x08000199};
    for (std::size_t i = 0; i < 8; ++i)
        image[i] = static_cast<char>(words[i / 4] >> (8 * (i % 4)));
    return image;
}

// An Intel HEX file of 1 MiB: sixteen data bytes to a record, an extended linear address record
// every 64 KiB of data.
std::string hexImage() {
    std::string text;
    text.reserve(imageSize + 64);
    char line[64];
    for (std::uint32_t address = 0; text.size() < imageSize - 16; address += 16) {
        if (address % 0x10000 == 0) {
            const unsigned upper = address >> 16;
            std::snprintf(line, sizeof line, ":02000004%04X%02X\n", upper,
                          (0x100 - ((2 + 4 + (upper >> 8) + (upper & 0xFF)) & 0xFF)) & 0xFF);
            text += line;
        }
        unsigned sum = 16 + ((address >> 8) & 0xFF) + (address & 0xFF);
        std::snprintf(line, sizeof line, ":10%04X00", address & 0xFFFF);
        text += line;
        for (unsigned i = 0; i < 16; ++i) {
            const unsigned byte = (address + i * 7) & 0xFF;
            sum += byte;
            std::snprintf(line, sizeof line, "%02X", byte);
            text += line;
        }
        std::snprintf(line, sizeof line, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
        text += line;
    }
    return text + ":00000001FF\n";
}

void measure(const char* target, const std::string& bytes, const char* name,
             const ImageCheck::Requirements& needs) {
    std::size_t sink = 0;
    const double check = medianSeconds(21, [&] {
        const ImageReport report = ImageCheck::check(bytes, name, needs);
        sink += report.checks.size() + report.sha256.size();
    });
    const double hash = medianSeconds(21, [&] { sink += Sha256::hex(bytes).size(); });
    const ImageReport report = ImageCheck::check(bytes, name, needs);
    if (sink == 0 || report.checks.empty())
        std::fprintf(stderr, "check_bench: nothing was checked\n");

    Report line{target,
                std::string("ImageCheck (") + verdictName(report.verdict) +
                    "): " + milliseconds(check * 1e3),
                "SHA-256 alone: " + milliseconds(hash * 1e3),
                check / hash,
                0.020,
                "< 20 ms"};
    line.absolute = check;
    line.print();
}

} // namespace

int main() {
    try {
        // The hex file is checked against a chip with room for all of it, so every rule runs.
        ImageCheck::Requirements hexNeeds =
            ImageCheck::Requirements::forAvrChip(AvrChips::chip(AvrChipId::atmega328));
        hexNeeds.flashSize = 16 * imageSize;
        measure("checks 1 MiB binary", binaryImage(), "image.bin",
                ImageCheck::Requirements::forStm32(2 * imageSize));
        measure("checks 1 MiB Intel HEX", hexImage(), "image.hex", hexNeeds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "check_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
