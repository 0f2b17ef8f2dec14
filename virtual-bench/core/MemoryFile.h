// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace vbench {

// A chip's memory kept in a file, byte for byte, so a test reads what the tool wrote and the
// next run finds it there as a real chip would. Every change goes to the file at once: a tool
// may end with exit() or a signal at any moment and the memory must still be what the chip
// holds. A file of another size belongs to another chip and is started afresh, erased.
class MemoryFile {
public:
    class Error : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    MemoryFile(std::string path, std::size_t size, std::uint8_t erasedValue);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::size_t size() const { return m_bytes.size(); }
    std::uint8_t at(std::size_t offset) const { return m_bytes.at(offset); }
    std::span<const std::uint8_t> bytes() const { return m_bytes; }

    void write(std::size_t offset, std::span<const std::uint8_t> data);
    void fill(std::size_t offset, std::size_t count, std::uint8_t value);

private:
    void store(std::size_t offset, std::size_t count);

    std::string m_path;
    std::vector<std::uint8_t> m_bytes;
    int m_fd = -1;
};

} // namespace vbench
