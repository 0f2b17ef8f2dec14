// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/OtherUpdateWatch.h"

namespace modflash {

OtherUpdateWatch::OtherUpdateWatch(QObject* parent)
    : QObject(parent) {
    connect(&m_timer, &QTimer::timeout, this, &OtherUpdateWatch::look);
    m_timer.start(1000);
    m_other = m_lock.otherHolder();
}

void OtherUpdateWatch::look() {
    std::optional<UpdateLock::Holder> now = m_lock.otherHolder();
    if (now == m_other)
        return;
    m_other = std::move(now);
    emit changed();
}

} // namespace modflash
