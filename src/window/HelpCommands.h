// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/UserGuide.h"
#include "window/WindowServices.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QWidget;

namespace modflash {

// Where the window sends people for help: the user guide that comes with the program, and web
// pages (the maker's online help, links in the pages) in the desktop's browser. Where no
// browser opens, the window says so with the address to copy rather than doing nothing.
class HelpCommands : public QObject {
    Q_OBJECT

public:
    HelpCommands(QWidget* window, WindowServices::UrlOpener openUrl,
                 WindowServices::ProblemReporter reportProblem, QObject* parent = nullptr);
    ~HelpCommands() override;

    void showUserGuide();
    void openOnlineHelp();
    // Opens the address in the browser, or tells the person on top of `from` where it leads.
    bool openInBrowser(const QUrl& url, QWidget* from = nullptr);
    // The guide's viewer, once it has been opened.
    UserGuide* userGuide() const { return m_guide.get(); }

private:
    QPointer<QWidget> m_window;
    WindowServices::UrlOpener m_openUrl;
    WindowServices::ProblemReporter m_reportProblem;
    std::unique_ptr<UserGuide> m_guide;
};

} // namespace modflash
