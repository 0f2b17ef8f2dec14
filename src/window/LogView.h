// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QStringView>
#include <QTimer>

namespace modflash {

class LogTextView;

// The log view: a read-only plain-text view that only ever grows at its end. Text is appended
// without rewriting what is there, and the view follows the end (LogTextView does both). Carriage
// returns are shown as a terminal shows them, because tools redraw progress bars with a lone "\r":
// text after a lone "\r" replaces the current line, while "\r\n" (even split across two appends) is
// one line break that keeps the line.
//
// A tool can print far faster than a text view can take it in piece by piece, so texts that
// come close together are gathered and put in together: at most flushInterval after the first
// of them, or at once when maxPendingCharacters have gathered, so that neither a long wait nor
// one huge insert holds up the window. A text that comes after a quiet spell shows at once.
class LogView {
public:
    static constexpr int flushInterval = 16; // ms: about one frame
    static constexpr qsizetype maxPendingCharacters = 512 * 1024;

    explicit LogView(LogTextView* view);

    // Menlo at 11 points where the font database has it, else the system's fixed face, else
    // another common monospaced face: the first whose characters are all as wide.
    static QFont logFont();
    static bool isMonospaced(const QFont& font);

    void configure();
    void append(const QString& text);
    // Puts whatever has gathered into the view now.
    void flush();
    // Everything appended so far, gathered text included.
    QString text();

private:
    void insert(const QString& text);

    QPointer<LogTextView> m_view;
    QString m_pending;
    QTimer m_flushTimer;
    QElapsedTimer m_sinceFlush;
    // A "\r" ended the last insert; whether it starts a line break is not known yet.
    bool m_carriageReturnPending = false;
};

} // namespace modflash
