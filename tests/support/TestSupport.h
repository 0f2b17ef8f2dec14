// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <ostream>

namespace modflash::testing {

// Runs the event loop until the condition holds; false if it never does within a generous
// limit (a hang guard, not a speed requirement).
inline bool eventually(const std::function<bool()>& condition, int limitMs = 30000) {
    const QDeadlineTimer deadline(limitMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A runtime directory of this test program's own for as long as it lives: the lock that keeps
// a user's updates apart and the images' private copies go there, and tests running at the
// same time must not meet in the user's one.
class PrivateRuntimeDirectory {
public:
    PrivateRuntimeDirectory() { qputenv("XDG_RUNTIME_DIR", m_directory.path().toUtf8()); }
    QString path() const { return m_directory.path(); }

private:
    QTemporaryDir m_directory;
};

} // namespace modflash::testing

// Lets test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toStdString() << '"';
}
