// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/LogTextView.h"

#include "window/LogTextAccessible.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <cmath>

namespace modflash {

namespace {

// The space around the text, as the plain-text view this one replaces left it.
constexpr int margin = 4;

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

LogTextView::LogTextView(QWidget* parent)
    : QAbstractScrollArea(parent) {
    configureView();
}

void LogTextView::configureView() {
    LogTextAccessible::install();
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Log"));
    // Long lines wrap: nothing is ever beside the view.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    updateMetrics();
}

void LogTextView::appendText(QStringView text) {
    if (text.isEmpty())
        return;
    LogTextAccessible::textInserted(this, m_lines.characterCount(), text);
    m_lines.append(text);
    textChanged();
    scrollToEnd();
}

void LogTextView::replaceLastLine(QStringView text) {
    LogTextAccessible::lastLineReplaced(this, text);
    m_lines.replaceLastLine(text);
    textChanged();
    scrollToEnd();
}

void LogTextView::clear() {
    LogTextAccessible::textCleared(this);
    m_lines.clear();
    m_anchor = m_cursor = Position();
    textChanged();
}

void LogTextView::textChanged() {
    m_rows.update(m_lines);
    updateScrollBars();
    viewport()->update();
}

QString LogTextView::toPlainText() const {
    return m_lines.text(0, m_lines.lineCount() - 1);
}

QString LogTextView::selectedText() const {
    return textBetween(std::min(m_anchor, m_cursor), std::max(m_anchor, m_cursor));
}

QString LogTextView::textBetween(qsizetype start, qsizetype end) const {
    return start < end ? textBetween(positionOf(start), positionOf(end)) : QString();
}

QString LogTextView::textBetween(Position start, Position end) const {
    start = clamped(start);
    end = clamped(end);
    if (start.line == end.line)
        return m_lines.line(start.line).mid(start.column, end.column - start.column).toString();
    QString text = m_lines.line(start.line).mid(start.column).toString();
    if (end.line - start.line > 1) {
        text.append(u'\n');
        text.append(m_lines.text(start.line + 1, end.line - 1));
    }
    text.append(u'\n');
    text.append(m_lines.line(end.line).left(end.column));
    return text;
}

qsizetype LogTextView::offsetOf(Position position) const {
    position = clamped(position);
    return m_lines.offsetOfLine(position.line) + position.column;
}

LogTextView::Position LogTextView::positionOf(qsizetype offset) const {
    const qsizetype line = m_lines.lineAtOffset(offset);
    return clamped(Position{line, offset - m_lines.offsetOfLine(line)});
}

void LogTextView::setSelection(qsizetype anchor, qsizetype cursor) {
    m_anchor = positionOf(anchor);
    m_cursor = positionOf(cursor);
    selectionChanged();
}

LogTextView::Place LogTextView::placeOf(Position position) const {
    position = clamped(position);
    const qsizetype wrap = m_rows.wrapColumns();
    const qsizetype column = LogLines::screenColumn(m_lines.line(position.line), position.column);
    qsizetype within = column / wrap;
    // The end of a line that fills its last row stays on that row.
    if (within > 0 && within == m_rows.rowsOf(position.line))
        --within;
    return {m_rows.firstRow(position.line) + within,
            margin + static_cast<qreal>(column - within * wrap) * m_charWidth};
}

QRect LogTextView::characterRect(qsizetype offset) const {
    const Position at = positionOf(offset);
    const QStringView line = m_lines.line(at.line);
    const Place place = placeOf(at);
    const qreal rowEnd = margin + static_cast<qreal>(m_rows.wrapColumns()) * m_charWidth;
    qreal right = place.x + m_charWidth;
    if (at.column < line.size()) {
        const qsizetype column = LogLines::screenColumn(line, at.column);
        right = std::min(place.x + static_cast<qreal>(
                                       LogLines::advanceColumn(column, line[at.column]) - column) *
                                       m_charWidth,
                         std::max(rowEnd, place.x + m_charWidth));
    }
    // Rows far off screen only need to be told apart from the ones on it.
    const qsizetype row = std::clamp<qsizetype>(place.row - verticalScrollBar()->value(),
                                                -visibleRowCount(), 2 * visibleRowCount());
    const qreal top = margin + static_cast<qreal>(row * m_lineHeight);
    return QRectF(place.x, top, right - place.x, m_lineHeight).toAlignedRect();
}

void LogTextView::scrollToOffset(qsizetype offset) {
    const qsizetype row = placeOf(positionOf(offset)).row;
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value() || row >= bar->value() + visibleRowCount())
        bar->setValue(static_cast<int>(std::min<qsizetype>(row, INT_MAX)));
}

void LogTextView::selectionChanged() {
    LogTextAccessible::selectionChanged(this);
    viewport()->update();
}

void LogTextView::selectAll() {
    const qsizetype last = m_lines.lineCount() - 1;
    m_anchor = Position();
    m_cursor = Position{last, m_lines.line(last).size()};
    selectionChanged();
}

void LogTextView::copy() const {
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void LogTextView::updateMetrics() {
    const QFontMetrics metrics(font());
    m_charWidth = std::max<qreal>(QFontMetricsF(font()).horizontalAdvance(u'x'), 1);
    m_lineHeight = std::max(metrics.lineSpacing(), 1);
    m_ascent = metrics.ascent();
    verticalScrollBar()->setSingleStep(1);
    rewrap();
}

int LogTextView::visibleRowCount() const {
    return std::max(1, (viewport()->height() - 2 * margin) / m_lineHeight);
}

void LogTextView::rewrap() {
    const auto wrap = static_cast<qsizetype>((viewport()->width() - 2 * margin) / m_charWidth);
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    const qsizetype topLine = m_rows.lineAtRow(bar->value());
    if (std::max<qsizetype>(wrap, 1) != m_rows.wrapColumns())
        m_rows.wrapAt(wrap, m_lines);
    updateScrollBars();
    // The line at the top stays there, or the end stays in view.
    if (atEnd)
        scrollToEnd();
    else
        bar->setValue(static_cast<int>(std::min<qsizetype>(m_rows.firstRow(topLine), INT_MAX)));
    viewport()->update();
}

void LogTextView::updateScrollBars() {
    const int visible = visibleRowCount();
    const auto rowCount = static_cast<int>(std::min<qsizetype>(m_rows.rowCount(), INT_MAX));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setRange(0, std::max(0, rowCount - visible));
}

void LogTextView::scrollToEnd() {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

LogTextView::Position LogTextView::positionAt(QPoint point) const {
    const qsizetype onScreen = (point.y() - margin) / m_lineHeight - (point.y() < margin ? 1 : 0);
    const qsizetype row =
        std::clamp<qsizetype>(verticalScrollBar()->value() + onScreen, 0, m_rows.rowCount() - 1);
    const qsizetype line = m_rows.lineAtRow(row);
    const qsizetype wrap = m_rows.wrapColumns();
    // Past a row's right end is before the first character of the next.
    const auto column = std::clamp<qsizetype>(
        static_cast<qsizetype>(std::round((point.x() - margin) / m_charWidth)), 0, wrap);
    return Position{line, LogLines::characterAtColumn(
                              m_lines.line(line), (row - m_rows.firstRow(line)) * wrap + column)};
}

LogTextView::Position LogTextView::clamped(Position position) const {
    position.line = std::clamp<qsizetype>(position.line, 0, m_lines.lineCount() - 1);
    position.column = std::clamp<qsizetype>(position.column, 0, m_lines.line(position.line).size());
    return position;
}

void LogTextView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const qsizetype top = verticalScrollBar()->value();
    const qsizetype last = std::min<qsizetype>(top + visibleRowCount() + 1, m_rows.rowCount() - 1);
    for (qsizetype index = m_rows.lineAtRow(top);
         index < m_lines.lineCount() && m_rows.firstRow(index) <= last; ++index) {
        const qsizetype first = m_rows.firstRow(index);
        // Looked for once a line: a wrapped flood line has thousands of rows.
        const bool tabs = m_lines.line(index).contains(u'\t');
        for (qsizetype row = std::max<qsizetype>(top - first, 0);
             row < m_rows.rowsOf(index) && first + row <= last; ++row)
            paintRow(painter, index, row, tabs,
                     margin + static_cast<qreal>((first + row - top) * m_lineHeight));
    }
}

void LogTextView::paintRow(QPainter& painter, qsizetype index, qsizetype row, bool tabs, qreal y) {
    const qsizetype wrap = m_rows.wrapColumns();
    const QString shown = LogLines::columnsShown(m_lines.line(index), row * wrap, wrap, tabs);
    const QPointF origin(margin, y + m_ascent);
    painter.drawText(origin, shown);
    paintSelection(painter, index, row, y, origin, shown);
}

void LogTextView::paintSelection(QPainter& painter, qsizetype index, qsizetype row, qreal y,
                                 const QPointF& origin, const QString& shown) {
    const Position start = clamped(std::min(m_anchor, m_cursor));
    const Position end = clamped(std::max(m_anchor, m_cursor));
    if (start == end || index < start.line || index > end.line)
        return;
    const QStringView line = m_lines.line(index);
    const qsizetype rowStart = row * m_rows.wrapColumns();
    const qsizetype rowEnd = rowStart + m_rows.wrapColumns();
    const qsizetype from =
        std::max(rowStart, index == start.line ? LogLines::screenColumn(line, start.column) : 0);
    const qsizetype to =
        std::min(rowEnd, index == end.line ? LogLines::screenColumn(line, end.column)
                                           : m_lines.columns(index));
    // A selected line break shows as a character's width past the end of the line.
    const bool lineBreak = index < end.line && row == m_rows.rowsOf(index) - 1;
    if (from > to || (from == to && !lineBreak))
        return;
    const qreal left = margin + static_cast<qreal>(from - rowStart) * m_charWidth;
    const qreal right =
        margin + static_cast<qreal>(to - rowStart) * m_charWidth + (lineBreak ? m_charWidth : 0);
    const QRectF area(left, y, right - left, m_lineHeight);
    painter.fillRect(area, palette().brush(QPalette::Highlight));
    painter.save();
    painter.setClipRect(area);
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(origin, shown);
    painter.restore();
}

void LogTextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    rewrap();
}

void LogTextView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMetrics();
    else if (event->type() == QEvent::PaletteChange)
        viewport()->update();
}

void LogTextView::scrollContentsBy(int, int) {
    viewport()->update();
}

void LogTextView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::MoveToStartOfDocument)) {
        verticalScrollBar()->setValue(0);
    } else if (event->matches(QKeySequence::MoveToEndOfDocument)) {
        scrollToEnd();
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void LogTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_cursor = positionAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier))
        m_anchor = m_cursor;
    m_selecting = true;
    selectionChanged();
}

void LogTextView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_selecting || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint point = event->position().toPoint();
    // Dragging past the top or bottom edge scrolls, so a selection can reach beyond the view.
    if (point.y() < 0)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (point.y() > viewport()->height())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    m_cursor = positionAt(point);
    selectionChanged();
}

void LogTextView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_selecting)
        return;
    m_selecting = false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void LogTextView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const Position at = positionAt(event->position().toPoint());
    const QStringView line = m_lines.line(at.line);
    qsizetype start = at.column;
    qsizetype end = at.column;
    while (start > 0 && isWordCharacter(line[start - 1]))
        --start;
    while (end < line.size() && isWordCharacter(line[end]))
        ++end;
    m_anchor = Position{at.line, start};
    m_cursor = Position{at.line, end};
    selectionChanged();
}

void LogTextView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(tr("&Copy"));
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    connect(copyAction, &QAction::triggered, this, [this] { copy(); });
    menu.addSeparator();
    QAction* selectAllAction = menu.addAction(tr("Select All"));
    selectAllAction->setShortcut(QKeySequence::SelectAll);
    selectAllAction->setEnabled(m_lines.characterCount() > 0);
    connect(selectAllAction, &QAction::triggered, this, &LogTextView::selectAll);
    menu.exec(event->globalPos());
}

} // namespace modflash
