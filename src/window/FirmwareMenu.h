// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/WindowControls.h"
#include "window/WindowServices.h"

#include <QObject>
#include <QString>

#include <functional>

namespace modflash {

class UpdateSession;
class UserFirmwareFolder;
class WindowFeed;

// The Firmware menu and the feed's line: checking the feed for new firmware (F5), opening the
// user's firmware folder, and emptying the download cache, which asks first and is not offered
// while an update runs, since the update may be downloading into it or writing from it.
class FirmwareMenu : public QObject {
    Q_OBJECT

public:
    using Notifier = std::function<void(const QString& notice)>;

    // cacheCleared follows an emptied cache: offers from it are gone.
    FirmwareMenu(const WindowControls& controls, WindowFeed& feed, const UserFirmwareFolder& folder,
                 const UpdateSession& session, const WindowServices& services,
                 std::function<void()> cacheCleared, Notifier notify, QObject* parent = nullptr);

    void openFolder();
    void askToClearCache();
    // Follows the feed and the update: what the line says and which entries are usable.
    void refresh();

private:
    void connectSignals();
    void clearCache();

    WindowControls m_controls;
    WindowFeed& m_feed;
    const UserFirmwareFolder& m_folder;
    const UpdateSession& m_session;
    WindowServices m_services;
    std::function<void()> m_cacheCleared;
    Notifier m_notify;
};

} // namespace modflash
