// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/Output.h"

#include "app/cli/CliText.h"

#include <QJsonDocument>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace modflash::cli {

namespace {

QByteArray bytesOf(std::string_view text) {
    return {text.data(), static_cast<qsizetype>(text.size())};
}

// 0 when every byte was written, else the errno of the failure. Pieces that wait together go
// out in one call.
int writeAll(int fd, const std::vector<QByteArray>& pieces) {
    std::vector<iovec> parts;
    for (const QByteArray& piece : pieces)
        if (!piece.isEmpty())
            parts.push_back(
                {const_cast<char*>(piece.constData()), static_cast<std::size_t>(piece.size())});
    for (std::size_t first = 0; first < parts.size();) {
        const int count = static_cast<int>(std::min<std::size_t>(parts.size() - first, IOV_MAX));
        ssize_t written = ::writev(fd, parts.data() + first, count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (; first < parts.size() && static_cast<std::size_t>(written) >= parts[first].iov_len;
             ++first)
            written -= static_cast<ssize_t>(parts[first].iov_len);
        if (first < parts.size()) {
            parts[first].iov_base = static_cast<char*>(parts[first].iov_base) + written;
            parts[first].iov_len -= static_cast<std::size_t>(written);
        }
    }
    return 0;
}

} // namespace

Output::Output(int outFd, int errFd)
    : m_outFd(outFd)
    , m_errFd(errFd) {}

Output::~Output() {
    writeInForeground();
}

void Output::line(std::string_view text) {
    put(m_outFd, bytesOf(text) + '\n');
}

void Output::line(const QString& text) {
    put(m_outFd, text.toUtf8() + '\n');
}

void Output::text(const QString& text) {
    put(m_outFd, text.toUtf8());
}

void Output::bytes(const QByteArray& utf8) {
    put(m_outFd, utf8);
}

void Output::json(const QJsonDocument& document) {
    // toJson() emits UTF-8 and leaves non-ASCII characters as they are.
    put(m_outFd, document.toJson(QJsonDocument::Indented));
}

void Output::error(std::string_view message) {
    put(m_errFd, "modflash-cli: " + bytesOf(message) + "\n");
}

void Output::errorBytes(std::string_view bytes) {
    put(m_errFd, bytesOf(bytes));
}

void Output::put(int fd, QByteArray bytes) {
    if (!m_writer.joinable()) {
        writeNow(fd, {std::move(bytes)});
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        if (!(fd == m_outFd && m_outNeverBlocks && m_queue.empty() && !m_writing)) {
            m_queue.push_back({fd, std::move(bytes)});
            m_wake.notify_one();
            return;
        }
    }
    // Nothing waits before it, so the order of the texts holds.
    writeNow(fd, {std::move(bytes)});
}

void Output::writeNow(int fd, const std::vector<QByteArray>& pieces) {
    // A stream that failed once takes nothing more: what follows would arrive with a gap.
    if (fd == m_outFd ? m_outError != 0 : m_errFailed)
        return;
    const int failure = writeAll(fd, pieces);
    if (failure == 0)
        return;
    const std::lock_guard lock(m_mutex);
    if (fd == m_outFd)
        m_outError = failure;
    else
        m_errFailed = true;
}

void Output::writeInBackground() {
    if (m_writer.joinable())
        return;
    struct stat status {};
    m_outNeverBlocks = ::fstat(m_outFd, &status) == 0 &&
                       (S_ISREG(status.st_mode) || (S_ISCHR(status.st_mode) && !::isatty(m_outFd)));
    m_writer = std::thread([this] { writerLoop(); });
}

void Output::writeInForeground() {
    if (!m_writer.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_wake.notify_all();
    m_writer.join();
    m_closing = false;
}

void Output::setIdleCallback(std::function<void()> whenIdle) {
    const std::lock_guard lock(m_mutex);
    m_whenIdle = std::move(whenIdle);
}

bool Output::isIdle() {
    const std::lock_guard lock(m_mutex);
    return m_queue.empty() && !m_writing;
}

void Output::writerLoop() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_closing || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        std::deque<Piece> taken;
        taken.swap(m_queue);
        m_writing = true;
        lock.unlock();
        // Everything that waited goes out together, stream by stream in order.
        for (auto from = taken.begin(); from != taken.end();) {
            std::vector<QByteArray> run;
            auto to = from;
            for (; to != taken.end() && to->fd == from->fd; ++to)
                run.push_back(std::move(to->bytes));
            writeNow(from->fd, run);
            from = to;
        }
        lock.lock();
        m_writing = false;
        if (m_queue.empty() && m_whenIdle)
            m_whenIdle();
    }
}

bool Output::finish() {
    int failure = 0;
    {
        const std::lock_guard lock(m_mutex);
        if (m_reported)
            return true;
        failure = m_outError;
        m_reported = failure != 0;
    }
    if (failure == 0)
        return true;
    error(CliText::tr("could not write the output: %1")
              .arg(QString::fromLocal8Bit(std::strerror(failure)))
              .toStdString());
    return false;
}

} // namespace modflash::cli
