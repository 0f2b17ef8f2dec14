// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResourceDirectory.h"
#include "WindowServices.h"

#include <QPointer>
#include <QString>

class QTextBrowser;
class QUrl;

namespace modflash {

// Shows the instructions pages of the resource directory. Links between pages stay in the
// view; links to anything else (web pages, mail) go to the desktop.
class InstructionsView {
public:
    InstructionsView(QTextBrowser* view, ResourceDirectory resources,
                     WindowServices::UrlOpener openUrl);

    void configure();
    // Shows "instructions/<pageName>.html"; an empty view when there is no such page.
    void load(const QString& pageName);
    void follow(const QUrl& link);

private:
    QPointer<QTextBrowser> m_view;
    ResourceDirectory m_resources;
    WindowServices::UrlOpener m_openUrl;
};

} // namespace modflash
