// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/LogView.h"

#include "window/LogTextView.h"

#include <QFontDatabase>
#include <QFontMetricsF>

#include <utility>

namespace modflash {

namespace {

constexpr qreal logPointSize = 11.0;

} // namespace

LogView::LogView(LogTextView* view)
    : m_view(view) {
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setTimerType(Qt::PreciseTimer);
    m_flushTimer.callOnTimeout([this] { flush(); });
}

bool LogView::isMonospaced(const QFont& font) {
    // Font databases disagree about the fixed-pitch flag (some monospaced faces lack it), so
    // the widths themselves decide: the view counts columns, not pixels.
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(u'x');
    for (const QChar c : QStringLiteral("iW.M \u00b5"))
        if (!qFuzzyCompare(metrics.horizontalAdvance(c), width))
            return false;
    return true;
}

QFont LogView::logFont() {
    // QFont("Menlo") alone would quietly fall back to a proportional face.
    QList<QFont> candidates;
    if (QFontDatabase::families().contains(QStringLiteral("Menlo")))
        candidates.append(QFont(QStringLiteral("Menlo")));
    candidates.append(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Noto Mono", "monospace"})
        candidates.append(QFont(QString::fromLatin1(family)));
    for (QFont& font : candidates) {
        font.setPointSizeF(logPointSize);
        font.setStyleHint(QFont::Monospace);
        if (isMonospaced(font))
            return font;
    }
    return candidates.front();
}

void LogView::configure() {
    m_view->setFont(logFont());
}

void LogView::append(const QString& text) {
    if (text.isEmpty())
        return;
    m_pending += text;
    if (m_flushTimer.isActive()) {
        // The size bound keeps a fast tool from piling up text, and keeps each insert short.
        if (m_pending.size() >= maxPendingCharacters)
            flush();
        return;
    }
    const qint64 quiet = m_sinceFlush.isValid() ? m_sinceFlush.elapsed() : flushInterval;
    if (quiet >= flushInterval || m_pending.size() >= maxPendingCharacters)
        flush();
    else
        m_flushTimer.start(static_cast<int>(flushInterval - quiet));
}

void LogView::flush() {
    m_flushTimer.stop();
    if (m_pending.isEmpty() || !m_view)
        return;
    insert(std::exchange(m_pending, QString()));
    m_sinceFlush.start();
}

void LogView::insert(const QString& text) {
    if (!m_carriageReturnPending && !text.contains(u'\r')) {
        m_view->appendText(text);
        return;
    }
    // The terminal's rules are applied to the text first, so the view gets one or two calls
    // however many redraws and line breaks the text holds.
    QString shown;
    shown.reserve(text.size());
    bool replaceViewLine = false;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const QChar c = i < text.size() ? text.at(i) : QChar(u'\0');
        if (i < text.size() && c != u'\r' && c != u'\n')
            continue;
        const QStringView run = QStringView(text).mid(runStart, i - runStart);
        if (m_carriageReturnPending && !run.isEmpty()) {
            // Text after a lone "\r" replaces its line, which may have begun in the view.
            const qsizetype lineStart = shown.lastIndexOf(u'\n') + 1;
            if (lineStart == 0)
                replaceViewLine = true;
            shown.truncate(lineStart);
            m_carriageReturnPending = false;
        }
        shown.append(run);
        if (c == u'\n') {
            // After a "\r" this completes "\r\n": the line keeps its text.
            m_carriageReturnPending = false;
            shown.append(u'\n');
        } else if (c == u'\r') {
            m_carriageReturnPending = true;
        }
        runStart = i + 1;
    }
    if (!replaceViewLine) {
        m_view->appendText(shown);
        return;
    }
    const qsizetype lineEnd = shown.indexOf(u'\n');
    m_view->replaceLastLine(lineEnd < 0 ? QStringView(shown) : QStringView(shown).left(lineEnd));
    if (lineEnd >= 0)
        m_view->appendText(QStringView(shown).mid(lineEnd));
}

QString LogView::text() {
    flush();
    return m_view->toPlainText();
}

} // namespace modflash
