// SPDX-License-Identifier: GPL-3.0-or-later
#include "TickMonitor.h"

#include "Clock.h"

#include <algorithm>

namespace modflash::bench {

TickMonitor::TickMonitor() {
    m_timer.setInterval(10);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickMonitor::tick);
}

void TickMonitor::start() {
    m_lastNs = monotonicNs();
    m_longestGapNs = 0;
    m_timer.start();
}

void TickMonitor::tick() {
    const std::int64_t now = monotonicNs();
    m_longestGapNs = std::max(m_longestGapNs, now - m_lastNs);
    m_lastNs = now;
}

} // namespace modflash::bench
