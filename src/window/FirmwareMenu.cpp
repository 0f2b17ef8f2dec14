// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/FirmwareMenu.h"

#include "update/UpdateSession.h"
#include "window/UserFirmwareFolder.h"
#include "window/WindowFeed.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QPointer>

namespace modflash {

FirmwareMenu::FirmwareMenu(const WindowControls& controls, WindowFeed& feed,
                           const UserFirmwareFolder& folder, const UpdateSession& session,
                           const WindowServices& services, std::function<void()> cacheCleared,
                           Notifier notify, QObject* parent)
    : QObject(parent)
    , m_controls(controls)
    , m_feed(feed)
    , m_folder(folder)
    , m_session(session)
    , m_services(services)
    , m_cacheCleared(std::move(cacheCleared))
    , m_notify(std::move(notify)) {
    connectSignals();
    refresh();
}

void FirmwareMenu::connectSignals() {
    connect(m_controls.checkFeedAction, &QAction::triggered, &m_feed, &WindowFeed::check);
    connect(m_controls.openFirmwareFolderAction, &QAction::triggered, this,
            &FirmwareMenu::openFolder);
    connect(m_controls.clearCacheAction, &QAction::triggered, this, &FirmwareMenu::askToClearCache);
    connect(&m_feed, &WindowFeed::changed, this, &FirmwareMenu::refresh);
    connect(&m_session, &UpdateSession::runningChanged, this, &FirmwareMenu::refresh);
    connect(&m_session, &UpdateSession::finished, this, &FirmwareMenu::refresh);
}

void FirmwareMenu::refresh() {
    m_controls.feedLine->setText(m_feed.statusText());
    m_controls.checkFeedAction->setEnabled(m_feed.isOn() && !m_feed.isChecking());
    m_controls.clearCacheAction->setEnabled(!m_session.isBusy());
}

void FirmwareMenu::openFolder() {
    QString reason;
    if (!m_folder.open(&reason))
        m_services.reportProblem(m_controls.window, tr("The Firmware Folder Cannot Be Made"),
                                 reason);
}

void FirmwareMenu::askToClearCache() {
    if (m_session.isBusy())
        return;
    const WindowServices::Question question{
        tr("Empty the Download Cache?"),
        tr("The firmware downloaded from the feed (%1) is removed. A release is downloaded "
           "again when it is written next.")
            .arg(QLocale().formattedDataSize(m_feed.cacheSize(), 1)),
        tr("Empty It"), tr("Cancel")};
    QPointer<FirmwareMenu> self(this);
    m_services.confirm(m_controls.window, question, [self](bool empty) {
        // An update begun meanwhile may be downloading into the cache.
        if (self && empty && !self->m_session.isBusy())
            self->clearCache();
    });
}

void FirmwareMenu::clearCache() {
    QString reason;
    if (!m_feed.clearCache(&reason)) {
        m_services.reportProblem(m_controls.window, tr("The Download Cache Cannot Be Emptied"),
                                 reason);
    } else {
        m_notify(tr("The download cache is empty."));
    }
    // Whatever was removed is no longer offered from the cache.
    m_cacheCleared();
}

} // namespace modflash
