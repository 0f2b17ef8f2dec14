#pragma once

#include <csignal>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace modflash::cli {

// While it lives, Ctrl-C (SIGINT) and SIGTERM no longer end the program: each one arrives as
// a call of onStop from the event loop instead, so a running update can ask its tool to end and
// still print the verdict. SIGPIPE is ignored too, so a reader that goes away cannot end the
// program while a tool is writing to a module. The previous dispositions come back afterwards.
class StopSignals {
public:
    explicit StopSignals(std::function<void()> onStop);
    ~StopSignals();

    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    void openPipe();
    void installHandlers();
    void restoreHandlers();
    void readPipe();

    std::function<void()> m_onStop;
    int m_readEnd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_previousInt {};
    struct sigaction m_previousTerm {};
    struct sigaction m_previousPipe {};
};

} // namespace modflash::cli
