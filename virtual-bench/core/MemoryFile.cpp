// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vbench {

namespace {

std::string reason(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

} // namespace

MemoryFile::MemoryFile(std::string path, std::size_t size, std::uint8_t erasedValue)
    : m_path(std::move(path))
    , m_bytes(size, erasedValue) {
    m_fd = open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0)
        throw Error(reason("cannot open the memory file", m_path));
    struct stat status {};
    if (fstat(m_fd, &status) == 0 && static_cast<std::size_t>(status.st_size) == size) {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t got =
                pread(m_fd, m_bytes.data() + done, size - done, static_cast<off_t>(done));
            if (got <= 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        if (done == size)
            return;
        m_bytes.assign(size, erasedValue);
    }
    if (ftruncate(m_fd, static_cast<off_t>(size)) != 0) {
        close(m_fd);
        throw Error(reason("cannot size the memory file", m_path));
    }
    store(0, size);
}

MemoryFile::~MemoryFile() {
    if (m_fd >= 0)
        close(m_fd);
}

void MemoryFile::write(std::size_t offset, std::span<const std::uint8_t> data) {
    if (offset > m_bytes.size() || data.size() > m_bytes.size() - offset)
        throw Error("a write beyond the end of " + m_path);
    std::copy(data.begin(), data.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    store(offset, data.size());
}

void MemoryFile::fill(std::size_t offset, std::size_t count, std::uint8_t value) {
    if (offset > m_bytes.size() || count > m_bytes.size() - offset)
        throw Error("a fill beyond the end of " + m_path);
    std::fill_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), count, value);
    store(offset, count);
}

void MemoryFile::store(std::size_t offset, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = pwrite(m_fd, m_bytes.data() + offset + done, count - done,
                                   static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            throw Error(reason("cannot write the memory file", m_path));
        done += static_cast<std::size_t>(put);
    }
}

} // namespace vbench
