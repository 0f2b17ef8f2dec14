// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ReleaseNotesView.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QToolButton>

namespace modflash {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("modflash::ReleaseNotesView", text);
}

} // namespace

QString ReleaseNotesView::facts(const feed::FirmwareOffer& offer) {
    const feed::FeedRelease& release = *offer.release;
    QString facts = release.date.isValid()
                        ? tr("Released %1").arg(release.date.toString(Qt::ISODate))
                        : tr("Feed release");
    if (offer.needsDownload())
        facts =
            tr("%1 \u00b7 %2 to download").arg(facts, QLocale().formattedDataSize(release.size, 1));
    return facts;
}

ReleaseNotesView::ReleaseNotesView(QLabel* line, QToolButton* moreButton, QPlainTextEdit* notes)
    : m_line(line)
    , m_moreButton(moreButton)
    , m_notes(notes) {
    // Text from the server is never read as markup.
    m_line->setTextFormat(Qt::PlainText);
    m_notes->setReadOnly(true);
    m_moreButton->setCheckable(true);
    QObject::connect(m_moreButton, &QToolButton::toggled, m_notes, [this](bool open) {
        m_moreButton->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        m_notes->setVisible(open && !m_moreButton->isHidden());
    });
    show(std::nullopt);
}

void ReleaseNotesView::show(const std::optional<feed::FirmwareOffer>& offer) {
    const bool release = offer && offer->release;
    const QString notes = release ? offer->release->notes.trimmed() : QString();
    const QString firstLine = notes.section(QLatin1Char('\n'), 0, 0).trimmed();
    const bool more = firstLine.size() > firstLineLength || firstLine.size() < notes.size();
    m_line->setVisible(release);
    m_line->setText(!release ? QString()
                    : firstLine.isEmpty()
                        ? facts(*offer)
                        : facts(*offer) + QLatin1Char('\n') +
                              (firstLine.size() > firstLineLength
                                   ? firstLine.left(firstLineLength) + QStringLiteral("\u2026")
                                   : firstLine));
    m_moreButton->setVisible(more);
    m_notes->setPlainText(more ? notes : QString());
    m_notes->setVisible(more && m_moreButton->isChecked());
}

} // namespace modflash
