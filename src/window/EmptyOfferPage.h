// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace modflash {

// The instructions view's page while no product is offered: why, and where images come from:
// the resource directory, the user's own folder (with a link that opens it) and the feed.
class EmptyOfferPage {
public:
    struct Situation {
        QString resourceDirectory;
        QString userFolder;
        bool factoryFirmwareEnabled = false;
        // What the feed is doing, in one line.
        QString feedStatus;
    };

    // The page's link that opens the user's folder; no page or site has it.
    static QUrl openFolderLink() { return QUrl(QStringLiteral("modflash:open-firmware-folder")); }
    static QString html(const Situation& situation);
};

} // namespace modflash
