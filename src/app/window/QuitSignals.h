#pragma once

#include <csignal>
#include <functional>
#include <iterator>
#include <memory>

class QSocketNotifier;

namespace modflash {

// While it lives, SIGTERM, SIGINT and SIGHUP (a session or terminal ending) no longer end the
// program at once: each arrives as a call of onQuit from the event loop, so a running flashing
// tool can be stopped and awaited instead of being cut off mid-write. The previous
// dispositions come back afterwards.
class QuitSignals {
public:
    explicit QuitSignals(std::function<void()> onQuit);
    ~QuitSignals();

    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

private:
    void openPipe();
    void installHandlers();
    void restoreHandlers();
    void readPipe();

    static constexpr int handledSignals[] = {SIGTERM, SIGINT, SIGHUP};

    std::function<void()> m_onQuit;
    int m_readEnd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_previous[std::size(handledSignals)]{};
};

} // namespace modflash
