// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/FirmwareOffer.h"

#include <QPointer>
#include <QString>

#include <optional>

class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace modflash {

// Under the version list, what the feed says of the selected release: its date, the size still
// to download, and the first line of its notes; the whole notes (up to 8 KiB) open in a
// scrolling box below, so that they never push the rest of the panel out of sight. The notes
// come from the server and are shown as plain text, never as markup.
class ReleaseNotesView {
public:
    // Notes' first lines are cut at this many characters; the box has the rest.
    static constexpr qsizetype firstLineLength = 160;

    ReleaseNotesView(QLabel* line, QToolButton* moreButton, QPlainTextEdit* notes);

    // Nothing for an image that is no feed release.
    void show(const std::optional<feed::FirmwareOffer>& offer);

private:
    // The date, and the size still to download.
    static QString facts(const feed::FirmwareOffer& offer);

    QPointer<QLabel> m_line;
    QPointer<QToolButton> m_moreButton;
    QPointer<QPlainTextEdit> m_notes;
};

} // namespace modflash
