// SPDX-License-Identifier: GPL-3.0-or-later
#include "InstructionsView.h"

#include <QTextBrowser>
#include <QUrl>

namespace modflash {

InstructionsView::InstructionsView(QTextBrowser* view, ResourceDirectory resources,
                                   WindowServices::UrlOpener openUrl)
    : m_view(view)
    , m_resources(std::move(resources))
    , m_openUrl(std::move(openUrl)) {}

void InstructionsView::configure() {
    // Every link comes to follow(), so the desktop opener can be chosen (and tested).
    m_view->setOpenLinks(false);
    m_view->setOpenExternalLinks(false);
}

void InstructionsView::load(const QString& pageName) {
    const auto page = m_resources.instructionsPage(pageName.toStdString());
    if (!page) {
        m_view->clear();
        return;
    }
    m_view->setSource(QUrl::fromLocalFile(QString::fromStdString(*page)));
}

void InstructionsView::follow(const QUrl& link) {
    const QUrl target = m_view->source().resolved(link);
    if (target.isLocalFile()) {
        m_view->setSource(target);
        return;
    }
    m_openUrl(target);
}

} // namespace modflash
