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

// The screen column where character `index` of `line` starts.
qsizetype screenColumn(QStringView line, qsizetype index) {
    qsizetype column = 0;
    for (const QChar c : line.left(index))
        column = LogLines::advanceColumn(column, c);
    return column;
}

// The character index nearest to screen column `wanted`; a click on a tab's second half
// lands after the tab.
qsizetype characterAtColumn(QStringView line, qsizetype wanted) {
    qsizetype column = 0;
    for (qsizetype index = 0; index < line.size(); ++index) {
        if (wanted <= column)
            return index;
        const qsizetype next = LogLines::advanceColumn(column, line[index]);
        if (wanted < next)
            return (wanted - column) * 2 < next - column ? index : index + 1;
        column = next;
    }
    return line.size();
}

// The part of `line` on screen columns [first, first + count), tabs expanded to spaces.
QString visibleColumns(QStringView line, qsizetype first, qsizetype count) {
    if (!line.contains(u'\t'))
        return line.mid(std::min(first, line.size()), count).toString();
    QString expanded;
    qsizetype column = 0;
    for (const QChar c : line) {
        if (column >= first + count)
            break;
        const qsizetype next = LogLines::advanceColumn(column, c);
        if (c == u'\t')
            expanded.append(QString(next - column, u' '));
        else
            expanded.append(c);
        column = next;
    }
    return expanded.mid(std::min(first, expanded.size()), count);
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
    updateScrollBars();
    scrollToEnd();
    viewport()->update();
}

void LogTextView::replaceLastLine(QStringView text) {
    LogTextAccessible::lastLineReplaced(this, text);
    m_lines.replaceLastLine(text);
    updateScrollBars();
    scrollToEnd();
    viewport()->update();
}

void LogTextView::clear() {
    LogTextAccessible::textCleared(this);
    m_lines.clear();
    m_anchor = m_cursor = Position();
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

QRect LogTextView::characterRect(qsizetype offset) const {
    const Position at = positionOf(offset);
    const QStringView line = m_lines.line(at.line);
    const qreal left = xOfColumn(screenColumn(line, at.column));
    const qreal right =
        at.column < line.size()
            ? xOfColumn(LogLines::advanceColumn(screenColumn(line, at.column), line[at.column]))
            : left + m_charWidth;
    // Lines far off screen only need to be told apart from the ones on it.
    const qsizetype row = std::clamp<qsizetype>(at.line - verticalScrollBar()->value(),
                                                -visibleLineCount(), 2 * visibleLineCount());
    const qreal top = margin + static_cast<qreal>(row * m_lineHeight);
    return QRectF(left, top, right - left, m_lineHeight).toAlignedRect();
}

void LogTextView::scrollToOffset(qsizetype offset) {
    const Position at = positionOf(offset);
    QScrollBar* bar = verticalScrollBar();
    if (at.line < bar->value() || at.line >= bar->value() + visibleLineCount())
        bar->setValue(static_cast<int>(std::min<qsizetype>(at.line, INT_MAX)));
    const qreal x = xOfColumn(screenColumn(m_lines.line(at.line), at.column));
    if (x < margin || x + m_charWidth > viewport()->width() - margin)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + static_cast<int>(x) -
                                        viewport()->width() / 2);
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
    horizontalScrollBar()->setSingleStep(static_cast<int>(std::ceil(m_charWidth)) * 2);
    updateScrollBars();
    viewport()->update();
}

int LogTextView::visibleLineCount() const {
    return std::max(1, (viewport()->height() - 2 * margin) / m_lineHeight);
}

void LogTextView::updateScrollBars() {
    const int visible = visibleLineCount();
    const auto lineCount = static_cast<int>(std::min<qsizetype>(m_lines.lineCount(), INT_MAX));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setRange(0, std::max(0, lineCount - visible));
    const qreal textWidth = static_cast<qreal>(m_lines.maxColumns()) * m_charWidth;
    const int contentWidth = static_cast<int>(std::min<qreal>(std::ceil(textWidth), INT_MAX / 2));
    const int width = viewport()->width();
    horizontalScrollBar()->setPageStep(width);
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth + 2 * margin - width));
}

void LogTextView::scrollToEnd() {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

qreal LogTextView::xOfColumn(qsizetype screenColumn) const {
    return margin - horizontalScrollBar()->value() + static_cast<qreal>(screenColumn) * m_charWidth;
}

LogTextView::Position LogTextView::positionAt(QPoint point) const {
    const qsizetype row = (point.y() - margin) / m_lineHeight - (point.y() < margin ? 1 : 0);
    const qsizetype line =
        std::clamp<qsizetype>(verticalScrollBar()->value() + row, 0, m_lines.lineCount() - 1);
    const qreal x = point.x() - margin + horizontalScrollBar()->value();
    const auto column = static_cast<qsizetype>(std::max<qreal>(std::round(x / m_charWidth), 0));
    return Position{line, characterAtColumn(m_lines.line(line), column)};
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
    const qsizetype firstLine = verticalScrollBar()->value();
    const qsizetype lastLine =
        std::min<qsizetype>(firstLine + visibleLineCount() + 1, m_lines.lineCount() - 1);
    const auto firstColumn = static_cast<qsizetype>(
        std::max<qreal>(std::floor((horizontalScrollBar()->value() - margin) / m_charWidth), 0));
    const auto columnCount = static_cast<qsizetype>(viewport()->width() / m_charWidth) + 2;
    for (qsizetype index = firstLine; index <= lastLine; ++index) {
        const qreal y = margin + static_cast<qreal>((index - firstLine) * m_lineHeight);
        paintLine(painter, index, y, firstColumn, columnCount);
    }
}

void LogTextView::paintLine(QPainter& painter, qsizetype index, qreal y, qsizetype firstColumn,
                            qsizetype columnCount) {
    const QStringView line = m_lines.line(index);
    const QString shown = visibleColumns(line, firstColumn, columnCount);
    const QPointF origin(xOfColumn(firstColumn), y + m_ascent);
    painter.drawText(origin, shown);

    const Position start = clamped(std::min(m_anchor, m_cursor));
    const Position end = clamped(std::max(m_anchor, m_cursor));
    if (start == end || index < start.line || index > end.line)
        return;
    const qsizetype from = index == start.line ? start.column : 0;
    const qsizetype to = index == end.line ? end.column : line.size();
    const qreal left = xOfColumn(screenColumn(line, from));
    // A selected line break shows as a character's width past the end of the line.
    const qreal right = xOfColumn(screenColumn(line, to)) + (index < end.line ? m_charWidth : 0);
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
    const bool atEnd = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    updateScrollBars();
    if (atEnd)
        scrollToEnd();
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
