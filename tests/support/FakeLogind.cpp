// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeLogind.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace modflash::testing {

FakeLogind::~FakeLogind() {
    if (m_readEnd >= 0)
        ::close(m_readEnd);
}

QDBusUnixFileDescriptor FakeLogind::Inhibit(const QString& what, const QString& who,
                                            const QString& why, const QString& mode) {
    m_lastRequest = {what, who, why, mode};
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("no pipe"));
        return {};
    }
    if (m_readEnd >= 0)
        ::close(m_readEnd);
    m_readEnd = ends[0];
    // The descriptor object duplicates the write end; ours closes now.
    QDBusUnixFileDescriptor lock(ends[1]);
    ::close(ends[1]);
    return lock;
}

bool FakeLogind::lockOpen() const {
    if (m_readEnd < 0)
        return false;
    pollfd watch{m_readEnd, POLLIN, 0};
    // Readable with nothing written means end of file: every write end is closed.
    return ::poll(&watch, 1, 0) == 0;
}

} // namespace modflash::testing
