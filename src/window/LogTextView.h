// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/LogLines.h"
#include "window/LogRows.h"

#include <QAbstractScrollArea>
#include <QStringView>

class QMenu;

namespace modflash {

// A read-only plain-text view for a tool's log, made for floods of output: the text lives as
// lines (LogLines) rather than in a rich-text document, appending costs only the appended
// text, and painting touches only the rows on screen. A line wider than the view wraps onto
// the next rows as in a terminal (LogRows), so every line can be read without scrolling
// sideways; tabs stop every 8 columns. The font is expected to be monospaced, which keeps
// measuring a line to counting its columns. The view follows the end whenever text comes. A
// person can select with the mouse (drag, shift-click, double-click for a word), select
// everything and copy as plain text.
class LogTextView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit LogTextView(QWidget* parent = nullptr);

    // Appends at the end of the last line; "\n" starts a new line. Other characters, "\r"
    // included, are text: the terminal's rules belong to the caller.
    void appendText(QStringView text);
    void replaceLastLine(QStringView text);
    void clear();

    QString toPlainText() const;
    const LogLines& lines() const { return m_lines; }

    bool hasSelection() const { return m_anchor != m_cursor; }
    QString selectedText() const;
    void selectAll();
    void copy() const;

    // The text as assistive technologies address it: character offsets into toPlainText(),
    // each line break one character. The caret is the end of the selection that moves.
    qsizetype anchorOffset() const { return offsetOf(m_anchor); }
    qsizetype cursorOffset() const { return offsetOf(m_cursor); }
    // Offsets beyond the text are taken as its end; equal offsets only place the caret.
    void setSelection(qsizetype anchor, qsizetype cursor);
    QString textBetween(qsizetype start, qsizetype end) const;
    // In viewport coordinates.
    QRect characterRect(qsizetype offset) const;
    qsizetype offsetAt(QPoint viewportPoint) const { return offsetOf(positionAt(viewportPoint)); }
    void scrollToOffset(qsizetype offset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // A place in the text: before character `column` of line `line` (a character index, not
    // a screen column).
    struct Position {
        qsizetype line = 0;
        qsizetype column = 0;
        auto operator<=>(const Position&) const = default;
    };

    void configureView();
    qsizetype offsetOf(Position position) const;
    Position positionOf(qsizetype offset) const;
    QString textBetween(Position start, Position end) const;
    void selectionChanged();
    // Where a position is drawn: its row and its distance from the view's left edge.
    struct Place {
        qsizetype row = 0;
        qreal x = 0;
    };

    void updateMetrics();
    void rewrap();
    void updateScrollBars();
    void scrollToEnd();
    void textChanged();
    int visibleRowCount() const;
    Position positionAt(QPoint point) const;
    Position clamped(Position position) const;
    Place placeOf(Position position) const;
    void paintRow(QPainter& painter, qsizetype index, qsizetype row, bool tabs, qreal y);
    void paintSelection(QPainter& painter, qsizetype index, qsizetype row, qreal y,
                        const QPointF& origin, const QString& shown);

    LogLines m_lines;
    LogRows m_rows;
    Position m_anchor;
    Position m_cursor;
    bool m_selecting = false;
    qreal m_charWidth = 1;
    int m_lineHeight = 1;
    int m_ascent = 0;
};

} // namespace modflash
