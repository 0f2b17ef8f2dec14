#include "QuitSignals.h"

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
// it may do, and the event loop wakes on it.
volatile std::sig_atomic_t pipeWriteEnd = -1;

extern "C" void notifyQuit(int) {
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds enough requests; the byte may be lost then.
    [[maybe_unused]] const ssize_t written = ::write(pipeWriteEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(std::function<void()> onQuit)
    : m_onQuit(std::move(onQuit)) {
    openPipe();
    installHandlers();
}

QuitSignals::~QuitSignals() {
    restoreHandlers();
    m_notifier.reset();
    ::close(pipeWriteEnd);
    ::close(m_readEnd);
    pipeWriteEnd = -1;
}

void QuitSignals::openPipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error(std::string("cannot watch for the session's end: ") +
                                 std::strerror(errno));
    m_readEnd = ends[0];
    pipeWriteEnd = ends[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_readEnd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { readPipe(); });
}

void QuitSignals::installHandlers() {
    struct sigaction action {};
    action.sa_handler = notifyQuit;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(handledSignals); ++i)
        sigaction(handledSignals[i], &action, &m_previous[i]);
}

void QuitSignals::restoreHandlers() {
    for (std::size_t i = 0; i < std::size(handledSignals); ++i)
        sigaction(handledSignals[i], &m_previous[i], nullptr);
}

void QuitSignals::readPipe() {
    char bytes[16];
    ssize_t count;
    while ((count = ::read(m_readEnd, bytes, sizeof bytes)) > 0) {
        // Each signal is one request: a second one while the tool is ending kills it.
        for (ssize_t i = 0; i < count; ++i)
            m_onQuit();
    }
}

} // namespace modflash
