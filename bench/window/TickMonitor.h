// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>

namespace modflash::bench {

// A 10 ms timer on the event loop: the longest time between two of its ticks is the longest
// the window could not answer the user.
class TickMonitor : public QObject {
public:
    TickMonitor();

    void start();
    double longestGapMs() const { return static_cast<double>(m_longestGapNs) / 1e6; }

private:
    void tick();

    QTimer m_timer;
    std::int64_t m_lastNs = 0;
    std::int64_t m_longestGapNs = 0;
};

} // namespace modflash::bench
