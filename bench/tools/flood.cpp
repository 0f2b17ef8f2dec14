// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-in for a tool that talks as fast as it can: base64 of N random bytes (50 MiB by
// default, about 70 MB of text in 76-column lines, as base64(1) prints it), written to standard
// output in large blocks. The bytes come from a fixed seed, so every run prints the same text.
//
//   flood [RANDOM_BYTES]

#include "WriteAll.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t bytesPerLine = 57; // 76 characters of base64
constexpr std::size_t linesPerBlock = 1024;

class SplitMix {
public:
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t m_state = 20261206;
};

constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

void encode(const unsigned char* in, std::size_t size, std::string& out) {
    std::size_t i = 0;
    for (; i + 3 <= size; i += 3) {
        const unsigned v = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += alphabet[(v >> 6) & 63];
        out += alphabet[v & 63];
    }
    if (i < size) {
        const unsigned v = (in[i] << 16) | (i + 1 < size ? in[i + 1] << 8 : 0);
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += i + 1 < size ? alphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    out += '\n';
}

} // namespace

int main(int argc, char* argv[]) {
    const std::size_t total = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 50u << 20;
    SplitMix random;
    std::array<unsigned char, bytesPerLine * linesPerBlock> raw{};
    std::string block;
    block.reserve(linesPerBlock * 77);
    for (std::size_t done = 0; done < total;) {
        const std::size_t size = std::min(raw.size(), total - done);
        for (std::size_t i = 0; i < size; i += 8) {
            const std::uint64_t word = random.next();
            for (std::size_t b = 0; b < 8 && i + b < size; ++b)
                raw[i + b] = static_cast<unsigned char>(word >> (8 * b));
        }
        block.clear();
        for (std::size_t line = 0; line < size; line += bytesPerLine)
            encode(raw.data() + line, std::min(bytesPerLine, size - line), block);
        if (!modflash::bench::writeAll(1, block.data(), block.size()))
            return 1;
        done += size;
    }
    return 0;
}
