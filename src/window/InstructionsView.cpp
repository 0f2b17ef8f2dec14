// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/InstructionsView.h"

#include "window/ReadableColour.h"

#include <QEvent>
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
    applyPalette();
    m_view->installEventFilter(this);
}

QString InstructionsView::pageStyleSheet() const {
    const QPalette& palette = m_view->palette();
    const QColor base = palette.color(QPalette::Base);
    const auto readable = [&](const QColor& wanted) {
        return ReadableColour::on(base, wanted).name();
    };
    // Headings and notes keep the pages' own hues, shaded for the background.
    return QStringLiteral("body { color: %1; } h1, h2 { color: %2; } .note { color: %3; } "
                          "a { color: %4; }")
        .arg(readable(palette.color(QPalette::Text)), readable(QColor(0x1d, 0x3f, 0x66)),
             readable(QColor(0x8a, 0x4b, 0x00)), readable(palette.color(QPalette::Link)));
}

void InstructionsView::applyPalette() {
    const QString styleSheet = pageStyleSheet();
    if (m_view->document()->defaultStyleSheet() == styleSheet)
        return;
    m_view->document()->setDefaultStyleSheet(styleSheet);
    // The style sheet applies as a page is read: the page on show is read again. A cleared
    // view keeps the source of its last page, which must not come back.
    if (m_showsPage)
        m_view->reload();
}

bool InstructionsView::eventFilter(QObject* watched, QEvent* event) {
    // The type first: a view being destroyed is by then no text browser to compare with.
    if (event->type() == QEvent::PaletteChange && watched == m_view)
        applyPalette();
    return QObject::eventFilter(watched, event);
}

void InstructionsView::load(const QString& pageName) {
    const auto page = m_resources.instructionsPage(pageName.toStdString());
    m_showsPage = page.has_value();
    if (!page) {
        m_view->clear();
        return;
    }
    m_view->setSource(QUrl::fromLocalFile(QString::fromStdString(*page)));
}

void InstructionsView::show(const QString& html) {
    m_showsPage = false;
    m_view->setHtml(html);
}

void InstructionsView::follow(const QUrl& link) {
    const QUrl target = m_view->source().resolved(link);
    if (target.isLocalFile()) {
        m_showsPage = true;
        m_view->setSource(target);
        return;
    }
    m_openUrl(target);
}

} // namespace modflash
