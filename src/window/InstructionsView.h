// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/ResourceDirectory.h"
#include "window/WindowServices.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QTextBrowser;
class QUrl;

namespace modflash {

// Shows the instructions pages of the resource directory. Links between pages stay in the
// view; links to anything else (web pages, mail) go to the desktop. The pages carry no colours
// of their own: the view gives them the palette's, shaded where needed to stay readable, and
// shows the page again in new colours when the palette changes (the desktop turning dark).
class InstructionsView : public QObject {
    Q_OBJECT

public:
    InstructionsView(QTextBrowser* view, ResourceDirectory resources,
                     WindowServices::UrlOpener openUrl);

    void configure();
    // Shows "instructions/<pageName>.html"; an empty view when there is no such page.
    void load(const QString& pageName);
    // Shows a page made by the window itself, which a change of palette keeps.
    void show(const QString& html);
    void follow(const QUrl& link);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The style sheet the pages get under the view's palette.
    QString pageStyleSheet() const;
    void applyPalette();

    QPointer<QTextBrowser> m_view;
    ResourceDirectory m_resources;
    WindowServices::UrlOpener m_openUrl;
    bool m_showsPage = false;
};

} // namespace modflash
