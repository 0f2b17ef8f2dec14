// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/UpdateLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace modflash {

namespace {

struct flock wholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return lock;
}

QByteArray readAll(int descriptor) {
    QByteArray content;
    char buffer[512];
    for (off_t offset = 0; content.size() < 4096;) {
        const ssize_t got = ::pread(descriptor, buffer, sizeof buffer, offset);
        if (got <= 0)
            break;
        content.append(buffer, got);
        offset += got;
    }
    return content;
}

} // namespace

QString UpdateLock::Holder::reason() const {
    const QString what = update.isEmpty() ? QString() : update + QStringLiteral(", ");
    return QCoreApplication::translate("modflash::UpdateLock",
                                       "another update is running: %1process %2")
        .arg(what)
        .arg(process);
}

UpdateLock::UpdateLock(QString path)
    : m_path(std::move(path)) {}

UpdateLock::~UpdateLock() {
    release();
}

QString UpdateLock::defaultPath() {
    QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty())
        directory = QDir::tempPath();
    return directory + QStringLiteral("/modflash-update.lock");
}

std::optional<UpdateLock::Holder> UpdateLock::acquire(const QString& update) {
    if (isHeld())
        return std::nullopt;
    const int descriptor =
        ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return std::nullopt;
    struct flock lock = wholeFile(F_WRLCK);
    if (::fcntl(descriptor, F_OFD_SETLK, &lock) != 0) {
        std::optional<Holder> holder = holderOf(descriptor);
        ::close(descriptor);
        // Taken and let go between the two calls: the next attempt will tell.
        return holder ? holder : Holder{};
    }
    m_descriptor = descriptor;
    const QByteArray content =
        QByteArray::number(QCoreApplication::applicationPid()) + '\n' + update.toUtf8() + '\n';
    if (::ftruncate(descriptor, 0) == 0)
        (void)!::pwrite(descriptor, content.constData(), std::size_t(content.size()), 0);
    return std::nullopt;
}

void UpdateLock::release() {
    if (!isHeld())
        return;
    // Emptied first, so that a reader never takes the name of a finished update for a running one.
    (void)!::ftruncate(m_descriptor, 0);
    ::close(m_descriptor);
    m_descriptor = -1;
}

std::optional<UpdateLock::Holder> UpdateLock::otherHolder() const {
    const int descriptor = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    std::optional<Holder> holder = holderOf(descriptor);
    ::close(descriptor);
    // This process's own update is no other update.
    if (holder && holder->process == QCoreApplication::applicationPid())
        return std::nullopt;
    return holder;
}

std::optional<UpdateLock::Holder> UpdateLock::holderOf(int descriptor) const {
    struct flock lock = wholeFile(F_WRLCK);
    if (::fcntl(descriptor, F_OFD_GETLK, &lock) != 0 || lock.l_type == F_UNLCK)
        return std::nullopt;
    const QList<QByteArray> lines = readAll(descriptor).split('\n');
    Holder holder;
    holder.process = lines.value(0).toLongLong();
    holder.update = QString::fromUtf8(lines.value(1));
    return holder;
}

} // namespace modflash
