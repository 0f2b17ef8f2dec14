// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/HelpCommands.h"

#include "window/BuildInfo.h"

namespace modflash {

HelpCommands::HelpCommands(QWidget* window, WindowServices::UrlOpener openUrl,
                           WindowServices::ProblemReporter reportProblem, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_openUrl(std::move(openUrl))
    , m_reportProblem(std::move(reportProblem)) {}

HelpCommands::~HelpCommands() = default;

void HelpCommands::showUserGuide() {
    if (!m_guide)
        m_guide = std::make_unique<UserGuide>(
            [this](const QUrl& link) { openInBrowser(link, m_guide.get()); }, m_window);
    m_guide->present();
}

void HelpCommands::openOnlineHelp() {
    openInBrowser(BuildInfo::helpUrl());
}

bool HelpCommands::openInBrowser(const QUrl& url, QWidget* from) {
    if (m_openUrl(url))
        return true;
    m_reportProblem(
        from ? from : m_window.data(), tr("No Web Browser"),
        tr("modflash could not open a web browser for this page. Copy its address into a web "
           "browser, on this computer or another:\n\n%1\n\nThe user guide that comes with "
           "modflash is under Help > User Guide (F1).")
            .arg(url.toString()));
    return false;
}

} // namespace modflash
