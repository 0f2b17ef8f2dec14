// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// What the fuzz targets share: the input as text, and a way to cut it into chunks the way a
// pipe may deliver a tool's output.
namespace modflash::fuzz {

inline std::string_view text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The size of the pieces an input is cut into, 1 to 16 bytes: set by its length, so that the
// input is all output and a tool's recorded output serves as a seed as it is.
inline std::size_t pieceSize(std::size_t size) {
    return size % 16 + 1;
}

// Calls take(piece) for consecutive pieces of `bytes`, each `size` bytes long but the last.
template <typename Take> void inPieces(std::string_view bytes, std::size_t size, Take&& take) {
    for (std::size_t from = 0; from < bytes.size(); from += size)
        take(bytes.substr(from, size));
}

// A property the code promises does not hold: the fuzzer reports it as a crash.
inline void require(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace modflash::fuzz
