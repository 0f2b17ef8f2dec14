// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/ProgressLine.h"

#include "app/cli/Output.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace modflash::cli {

namespace {
constexpr std::size_t fallbackWidth = 80;
}

ProgressLine::ProgressLine(int outFd, int errFd, Output& output)
    : m_errFd(errFd)
    , m_output(output)
    , m_enabled(::isatty(outFd) == 1 && ::isatty(errFd) == 1) {}

ProgressLine::~ProgressLine() {
    clear();
}

void ProgressLine::show(const QString& text) {
    if (!m_enabled || text == m_text)
        return;
    m_text = text;
    draw();
}

void ProgressLine::beforeLog() {
    wipe();
}

void ProgressLine::afterLog(const QByteArray& text) {
    if (!m_enabled || text.isEmpty())
        return;
    m_atLineStart = text.endsWith('\n');
    draw();
}

void ProgressLine::clear() {
    wipe();
    m_text.clear();
}

void ProgressLine::draw() {
    wipe();
    if (!m_atLineStart || m_text.isEmpty())
        return;
    // A line longer than the terminal wraps, and "\r" then returns only to its last part.
    const std::size_t width = terminalWidth() - 1;
    QString shown = m_text;
    if (static_cast<std::size_t>(shown.size()) > width)
        shown.truncate(static_cast<qsizetype>(width));
    const QByteArray bytes = shown.toUtf8();
    m_output.errorBytes(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    m_drawnWidth = static_cast<std::size_t>(shown.size());
}

void ProgressLine::wipe() {
    if (m_drawnWidth == 0)
        return;
    const std::string blank = "\r" + std::string(m_drawnWidth, ' ') + "\r";
    m_output.errorBytes(blank);
    m_drawnWidth = 0;
}

std::size_t ProgressLine::terminalWidth() const {
    winsize size{};
    if (::ioctl(m_errFd, TIOCGWINSZ, &size) == 0 && size.ws_col > 1)
        return size.ws_col;
    return fallbackWidth;
}

} // namespace modflash::cli
