// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/UserFirmwareFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace modflash {

UserFirmwareFolder::UserFirmwareFolder(QString path, WindowServices::UrlOpener openUrl)
    : m_path(std::move(path))
    , m_openUrl(std::move(openUrl)) {}

bool UserFirmwareFolder::open(QString* reason) const {
    if (!QDir().mkpath(m_path)) {
        *reason = QCoreApplication::translate("modflash::UserFirmwareFolder",
                                              "The folder %1 cannot be made. Make it yourself, "
                                              "or check the permissions of the folders above it.")
                      .arg(m_path);
        return false;
    }
    m_openUrl(QUrl::fromLocalFile(m_path));
    return true;
}

QString UserFirmwareFolder::chooserStart() const {
    // The download folder as the desktop names it (user-dirs.dirs), which need not exist.
    for (const QString& folder :
         {m_path, QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)})
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    return QDir::homePath();
}

} // namespace modflash
