#include "LogView.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include <utility>

namespace modflash {

namespace {

constexpr qreal logPointSize = 11.0;

} // namespace

LogView::LogView(QPlainTextEdit* view)
    : m_view(view) {
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setTimerType(Qt::PreciseTimer);
    m_flushTimer.callOnTimeout([this] { flush(); });
}

QFont LogView::logFont() {
    // QFont("Menlo") alone would quietly fall back to a proportional face.
    const QString preferred = QStringLiteral("Menlo");
    QFont font = QFontDatabase::families().contains(preferred)
                     ? QFont(preferred)
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(logPointSize);
    font.setStyleHint(QFont::Monospace);
    return font;
}

void LogView::configure() {
    m_view->setReadOnly(true);
    // Even a read-only view records an undo step per append: memory for nothing.
    m_view->setUndoRedoEnabled(false);
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
    scrollToEnd();
    m_sinceFlush.start();
}

void LogView::insert(const QString& text) {
    QTextCursor cursor(m_view->document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    if (!m_carriageReturnPending && !text.contains(u'\r')) {
        cursor.insertText(text);
    } else {
        qsizetype runStart = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c != u'\r' && c != u'\n')
                continue;
            insertRun(cursor, QStringView(text).mid(runStart, i - runStart));
            if (c == u'\n') {
                // After a "\r" this completes "\r\n": the line keeps its text.
                m_carriageReturnPending = false;
                cursor.insertBlock();
            } else {
                m_carriageReturnPending = true;
            }
            runStart = i + 1;
        }
        insertRun(cursor, QStringView(text).mid(runStart));
    }
    cursor.endEditBlock();
}

void LogView::insertRun(QTextCursor& cursor, QStringView run) {
    if (run.isEmpty())
        return;
    if (m_carriageReturnPending) {
        cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        m_carriageReturnPending = false;
    }
    cursor.insertText(run.toString());
}

QString LogView::text() {
    flush();
    return m_view->toPlainText();
}

void LogView::scrollToEnd() {
    QScrollBar* bar = m_view->verticalScrollBar();
    bar->setValue(bar->maximum());
}

} // namespace modflash
