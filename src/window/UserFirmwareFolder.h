// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/WindowServices.h"

#include <QString>

namespace modflash {

// The user's own firmware folder ($XDG_DATA_HOME/modflash/firmware): what the window opens in
// the file manager, making it first so that there is a place to put images, and where the file
// chooser starts.
class UserFirmwareFolder {
public:
    UserFirmwareFolder(QString path, WindowServices::UrlOpener openUrl);

    const QString& path() const { return m_path; }
    // Makes the folder when it is missing and opens it; false with the reason when it cannot
    // be made.
    bool open(QString* reason) const;
    // This folder when it exists, else the user's download folder, else the home folder.
    QString chooserStart() const;

private:
    QString m_path;
    WindowServices::UrlOpener m_openUrl;
};

} // namespace modflash
