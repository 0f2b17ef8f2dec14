#include "StopSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace modflash::cli {

namespace {

// A signal handler may do almost nothing; writing one byte to a pipe is one of the few things
// it may do, and the event loop wakes on it.
volatile std::sig_atomic_t pipeWriteEnd = -1;

extern "C" void notifyStop(int) {
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds enough requests; the byte may be lost then.
    [[maybe_unused]] const ssize_t written = ::write(pipeWriteEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

StopSignals::StopSignals(std::function<void()> onStop)
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
        throw std::runtime_error(std::string("cannot watch for Ctrl-C: ") + std::strerror(errno));
    m_readEnd = ends[0];
    pipeWriteEnd = ends[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_readEnd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { readPipe(); });
}

void StopSignals::installHandlers() {
    struct sigaction action {};
    action.sa_handler = notifyStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &m_previousInt);
    sigaction(SIGTERM, &action, &m_previousTerm);

    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, &m_previousPipe);
}

void StopSignals::restoreHandlers() {
    sigaction(SIGINT, &m_previousInt, nullptr);
    sigaction(SIGTERM, &m_previousTerm, nullptr);
    sigaction(SIGPIPE, &m_previousPipe, nullptr);
}

void StopSignals::readPipe() {
    char bytes[16];
    ssize_t count;
    while ((count = ::read(m_readEnd, bytes, sizeof bytes)) > 0) {
        // Each signal is one request: a second Ctrl-C means more than the first.
        for (ssize_t i = 0; i < count; ++i)
            m_onStop();
    }
}

} // namespace modflash::cli
