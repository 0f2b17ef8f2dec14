// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace modflash {

// SHA-256 (FIPS 180-4), so that a person can compare an image with the checksum its maker
// publishes. Takes the data in pieces of any size.
class Sha256 {
public:
    using Digest = std::array<std::uint8_t, 32>;

    Sha256();

    void add(std::string_view data);
    // Ends the hash; the object must not take more data afterwards.
    Digest finish();

    // The digest of all of the data, in lower-case hexadecimal.
    static std::string hex(std::string_view data);
    static std::string hex(const Digest& digest);

private:
    void compress(const unsigned char* block);

    std::array<std::uint32_t, 8> m_state;
    std::array<unsigned char, 64> m_buffer{};
    std::size_t m_buffered = 0;
    std::uint64_t m_length = 0; // bytes
};

} // namespace modflash
