// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/CheckedImageCopy.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <stdexcept>

namespace modflash {

namespace {

std::runtime_error failure(const QString& what, const QString& cause) {
    return std::runtime_error(QStringLiteral("could not make a private copy of the image: %1: %2")
                                  .arg(what, cause)
                                  .toStdString());
}

} // namespace

CheckedImageCopy::CheckedImageCopy(const std::string& originalPath, const std::string& bytes) {
    createDirectory();
    writeFile(originalPath.substr(originalPath.rfind('/') + 1), bytes);
}

CheckedImageCopy::~CheckedImageCopy() = default;

void CheckedImageCopy::createDirectory() {
    // The runtime directory is the user's own and is emptied at logout; Qt falls back to a
    // private directory under /tmp where the desktop sets none.
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    // QTemporaryDir makes the directory for this user alone (mode 0700).
    m_directory = std::make_unique<QTemporaryDir>(base + QStringLiteral("/modflash-image-XXXXXX"));
    if (!m_directory->isValid())
        throw failure(base, m_directory->errorString());
}

void CheckedImageCopy::writeFile(const std::string& fileName, const std::string& bytes) {
    const QString path = m_directory->filePath(QString::fromStdString(fileName));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw failure(path, file.errorString());
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.flush())
        throw failure(path, file.errorString());
    file.setPermissions(QFileDevice::ReadOwner);
    m_path = path.toStdString();
}

} // namespace modflash
