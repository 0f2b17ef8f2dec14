// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace modflash {

// One update at a time for each user, whichever front end runs it: two tools on the same USB
// bus would fight over the same module. The lock is a file in the user's runtime directory,
// locked by an open file description, so the kernel lets go of it when the holder ends in any
// way: a lock whose process is gone never blocks. The file names the update that holds it.
class UpdateLock {
public:
    struct Holder {
        qint64 process = 0;
        QString update; // "Wendrel 2.0"
        // "another update is running: Wendrel 2.0, process 1234"
        QString reason() const;
        bool operator==(const Holder&) const = default;
    };

    // path: the lock file; by default modflash-update.lock in the user's runtime directory.
    explicit UpdateLock(QString path = defaultPath());
    ~UpdateLock();

    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

    // Takes the lock for the update described; the holder that keeps it otherwise. A lock that
    // cannot be made at all (no runtime directory) does not stop an update.
    std::optional<Holder> acquire(const QString& update);
    void release();
    bool isHeld() const { return m_descriptor >= 0; }

    // Who holds the lock now, when someone other than this process does.
    std::optional<Holder> otherHolder() const;

    static QString defaultPath();

private:
    std::optional<Holder> holderOf(int descriptor) const;

    QString m_path;
    int m_descriptor = -1;
};

} // namespace modflash
