// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/StopSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace modflash {

namespace {

// A signal handler may do almost nothing; writing one byte to a pipe is one of the few things
// it may do, and the event loop wakes on it. The byte is the signal's number.
volatile std::sig_atomic_t pipeWriteEnd = -1;

extern "C" void notifyStop(int signal) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // A full pipe already holds enough requests; the byte may be lost then.
    [[maybe_unused]] const ssize_t written = ::write(pipeWriteEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

StopSignals::StopSignals(std::function<void(int)> onStop)
    : m_onStop(std::move(onStop)) {
    openPipe();
    installHandlers();
}

StopSignals::~StopSignals() {
    restoreHandlers();
    m_notifier.reset();
    ::close(pipeWriteEnd);
    ::close(m_readEnd);
    pipeWriteEnd = -1;
}

void StopSignals::openPipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error(std::string("cannot watch for stop signals: ") +
                                 std::strerror(errno));
    m_readEnd = ends[0];
    pipeWriteEnd = ends[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_readEnd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { readPipe(); });
}

void StopSignals::installHandlers() {
    struct sigaction action {};
    action.sa_handler = notifyStop;
    // One handler at a time, so the bytes are written in the order the signals came.
    sigemptyset(&action.sa_mask);
    for (int signal : handledSignals)
        sigaddset(&action.sa_mask, signal);
    action.sa_flags = SA_RESTART;
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    for (std::size_t i = 0; i < std::size(handledSignals); ++i)
        sigaction(handledSignals[i], handledSignals[i] == SIGPIPE ? &ignore : &action,
                  &m_previous[i]);
}

void StopSignals::restoreHandlers() {
    for (std::size_t i = 0; i < std::size(handledSignals); ++i)
        sigaction(handledSignals[i], &m_previous[i], nullptr);
}

void StopSignals::readPipe() {
    unsigned char arrived[16];
    ssize_t count;
    while ((count = ::read(m_readEnd, arrived, sizeof arrived)) > 0) {
        // Each signal is one request: a second Ctrl-C means more than the first.
        for (ssize_t i = 0; i < count; ++i) {
            if (m_firstSignal == 0)
                m_firstSignal = arrived[i];
            m_onStop(arrived[i]);
        }
    }
}

} // namespace modflash
