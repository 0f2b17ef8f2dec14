// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusContext>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QStringList>

namespace modflash::testing {

// Stands in for logind's manager object on a private bus: hands out inhibitor locks as the
// write end of a pipe and keeps the read end, so a test sees when every copy of a lock is
// closed.
class FakeLogind : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    ~FakeLogind() override;

    QStringList lastRequest() const { return m_lastRequest; }
    // True while some copy of the last lock handed out is still open.
    bool lockOpen() const;

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode);

private:
    QStringList m_lastRequest;
    int m_readEnd = -1;
};

} // namespace modflash::testing
