// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/LogTextAccessible.h"

#include "window/LogTextView.h"
#include "window/PlainTextExcerpt.h"

#include <QAccessibleEvent>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace modflash {

namespace {

int clampedToInt(qsizetype value) {
    return static_cast<int>(std::clamp<qsizetype>(value, INT_MIN, INT_MAX));
}

QAccessibleInterface* createInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(LogTextView::staticMetaObject.className()))
        return nullptr;
    auto* view = qobject_cast<LogTextView*>(object);
    // Qt owns the interface and deletes it with the view.
    return view ? new LogTextAccessible(view) : nullptr;
}

} // namespace

LogTextAccessible::LogTextAccessible(LogTextView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

void LogTextAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(createInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

void LogTextAccessible::textInserted(LogTextView* view, qsizetype offset, QStringView text) {
    // Nobody listening, nothing to copy: a flood costs no more than without the interface.
    if (!QAccessible::isActive())
        return;
    QAccessibleTextInsertEvent event(view, clampedToInt(offset), text.toString());
    QAccessible::updateAccessibility(&event);
}

void LogTextAccessible::lastLineReplaced(LogTextView* view, QStringView text) {
    if (!QAccessible::isActive())
        return;
    const LogLines& lines = view->lines();
    const qsizetype last = lines.lineCount() - 1;
    QAccessibleTextUpdateEvent event(view, clampedToInt(lines.offsetOfLine(last)),
                                     lines.line(last).toString(), text.toString());
    QAccessible::updateAccessibility(&event);
}

void LogTextAccessible::textCleared(LogTextView* view) {
    if (!QAccessible::isActive() || view->lines().characterCount() == 0)
        return;
    QAccessibleTextRemoveEvent event(view, 0, view->toPlainText());
    QAccessible::updateAccessibility(&event);
}

void LogTextAccessible::selectionChanged(LogTextView* view) {
    if (!QAccessible::isActive())
        return;
    const qsizetype anchor = view->anchorOffset();
    const qsizetype cursor = view->cursorOffset();
    QAccessibleTextSelectionEvent event(view, clampedToInt(std::min(anchor, cursor)),
                                        clampedToInt(std::max(anchor, cursor)));
    event.setCursorPosition(clampedToInt(view->cursorOffset()));
    QAccessible::updateAccessibility(&event);
}

LogTextView* LogTextAccessible::view() const {
    return static_cast<LogTextView*>(widget());
}

void* LogTextAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State LogTextAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void LogTextAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !view()->hasSelection())
        return;
    const qsizetype anchor = view()->anchorOffset();
    const qsizetype cursor = view()->cursorOffset();
    *startOffset = clampedToInt(std::min(anchor, cursor));
    *endOffset = clampedToInt(std::max(anchor, cursor));
}

int LogTextAccessible::selectionCount() const {
    return view()->hasSelection() ? 1 : 0;
}

void LogTextAccessible::addSelection(int startOffset, int endOffset) {
    // One selection at most: a new one replaces it.
    setSelection(0, startOffset, endOffset);
}

void LogTextAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0)
        view()->setSelection(view()->cursorOffset(), view()->cursorOffset());
}

void LogTextAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0)
        view()->setSelection(startOffset, endOffset);
}

int LogTextAccessible::cursorPosition() const {
    return clampedToInt(view()->cursorOffset());
}

void LogTextAccessible::setCursorPosition(int position) {
    view()->setSelection(position, position);
}

QString LogTextAccessible::text(int startOffset, int endOffset) const {
    return view()->textBetween(startOffset, endOffset);
}

QString LogTextAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    return textAround(Direction::Before, offset, boundaryType, startOffset, endOffset);
}

QString LogTextAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int* startOffset, int* endOffset) const {
    return textAround(Direction::After, offset, boundaryType, startOffset, endOffset);
}

QString LogTextAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                        int* startOffset, int* endOffset) const {
    return textAround(Direction::At, offset, boundaryType, startOffset, endOffset);
}

QString LogTextAccessible::textAround(Direction direction, int offset,
                                      QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                      int* endOffset) const {
    const auto answer = [&](const QAccessibleTextInterface& text, int at) {
        switch (direction) {
        case Direction::Before:
            return text.QAccessibleTextInterface::textBeforeOffset(at, boundaryType, startOffset,
                                                                   endOffset);
        case Direction::After:
            return text.QAccessibleTextInterface::textAfterOffset(at, boundaryType, startOffset,
                                                                  endOffset);
        case Direction::At:
            break;
        }
        return text.QAccessibleTextInterface::textAtOffset(at, boundaryType, startOffset,
                                                           endOffset);
    };
    // The whole text is the answer, or nothing is.
    if (boundaryType == QAccessible::NoBoundary)
        return answer(*this, offset);

    // Line breaks end every word, sentence and line, so the lines around the offset give the
    // answer the whole text would give, unless it runs to the excerpt's edge: a word may lie
    // many empty lines back. Then the excerpt grows until the answer stays inside it or the
    // excerpt is the whole text.
    const LogLines& lines = view()->lines();
    const qsizetype count = lines.characterCount();
    const qsizetype at = offset == -1 ? count : offset; // -1 is the end, as Qt has it
    if (at < 0 || at > count) {
        *startOffset = *endOffset = -1;
        return {};
    }
    // Past the last word or sentence there is none; Qt's own look-up would search forever.
    if (direction == Direction::At && at == count &&
        (boundaryType == QAccessible::WordBoundary ||
         boundaryType == QAccessible::SentenceBoundary)) {
        *startOffset = *endOffset = clampedToInt(count);
        return {};
    }
    const qsizetype line = lines.lineAtOffset(at);
    const qsizetype lastLine = lines.lineCount() - 1;
    for (qsizetype reach = 1;; reach *= 2) {
        const qsizetype first = std::max<qsizetype>(line - reach, 0);
        const qsizetype last = std::min(line + reach, lastLine);
        const qsizetype start = lines.offsetOfLine(first);
        QString excerpt = lines.text(first, last);
        if (last < lastLine)
            excerpt.append(u'\n');
        const PlainTextExcerpt text(std::move(excerpt));
        const qsizetype length = text.size();
        const QString found = answer(text, clampedToInt(at - start));
        // Nothing found, or found up to an edge of the excerpt, may be for want of text beyond.
        const bool nothing = *startOffset < 0;
        const bool cutShort =
            (first > 0 && direction != Direction::After && (nothing || *startOffset == 0)) ||
            (last < lastLine && direction != Direction::Before &&
             (nothing || *endOffset >= length));
        if (!cutShort || (first == 0 && last == lastLine)) {
            if (*startOffset >= 0) {
                *startOffset = clampedToInt(*startOffset + start);
                *endOffset = clampedToInt(*endOffset + start);
            }
            return found;
        }
    }
}

int LogTextAccessible::characterCount() const {
    return clampedToInt(view()->lines().characterCount());
}

QRect LogTextAccessible::characterRect(int offset) const {
    const QRect area = view()->characterRect(offset);
    return area.translated(view()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int LogTextAccessible::offsetAtPoint(const QPoint& point) const {
    const QWidget* viewport = view()->viewport();
    const QPoint inside = viewport->mapFromGlobal(point);
    if (!viewport->rect().contains(inside))
        return -1;
    return clampedToInt(view()->offsetAt(inside));
}

void LogTextAccessible::scrollToSubstring(int startIndex, int) {
    view()->scrollToOffset(startIndex);
}

QString LogTextAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    // One font and colour throughout: no attribute runs to report.
    *startOffset = *endOffset = offset;
    return {};
}

} // namespace modflash
