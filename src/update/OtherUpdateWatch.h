// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "update/UpdateLock.h"

#include <QObject>
#include <QTimer>

#include <optional>

namespace modflash {

// Keeps an eye on the update another process of this user may be running (the command line, a
// second window), so that a front end can hold its own Update back and say why. It looks at
// the lock once a second: cheap, and it notices a holder that ended without a word as soon as
// one that let go properly.
class OtherUpdateWatch : public QObject {
    Q_OBJECT

public:
    explicit OtherUpdateWatch(QObject* parent = nullptr);

    const std::optional<UpdateLock::Holder>& other() const { return m_other; }
    // Looks now rather than at the next tick.
    void look();

signals:
    void changed();

private:
    UpdateLock m_lock;
    QTimer m_timer;
    std::optional<UpdateLock::Holder> m_other;
};

} // namespace modflash
