// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csignal>
#include <functional>
#include <iterator>
#include <memory>

class QSocketNotifier;

namespace modflash {

// While it lives, SIGINT (Ctrl-C), SIGTERM and SIGHUP (a terminal or session ending) no longer
// end the program at once: each arrives as a call of onStop from the event loop, with the
// signal's number, so a running flashing tool can be stopped and awaited instead of being cut
// off mid-write, and the verdict still reaches the log. SIGPIPE is ignored, so a reader that
// goes away cannot end the program while a tool writes to a module. The previous dispositions
// come back afterwards. One instance at a time.
class StopSignals {
public:
    explicit StopSignals(std::function<void(int signal)> onStop);
    ~StopSignals();

    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The first signal that arrived; 0 while none has.
    int firstSignal() const { return m_firstSignal; }

private:
    void openPipe();
    void installHandlers();
    void restoreHandlers();
    void readPipe();

    static constexpr int handledSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

    std::function<void(int)> m_onStop;
    int m_readEnd = -1;
    int m_firstSignal = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_previous[std::size(handledSignals)]{};
};

} // namespace modflash
