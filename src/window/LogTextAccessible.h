// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QStringView>

namespace modflash {

class LogTextView;

// What screen readers and other assistive technologies see of the log: a read-only multi-line
// text with its caret and selection, read and searched line by line so that a flood of tens of
// megabytes costs no more to explore than a short log. Text, caret and selection changes are
// reported as they happen, while assistive technologies are listening.
class LogTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LogTextAccessible(LogTextView* view);

    // Makes every log view answer with this interface; the first view does it.
    static void install();

    static void textInserted(LogTextView* view, qsizetype offset, QStringView text);
    static void lastLineReplaced(LogTextView* view, QStringView text);
    static void textCleared(LogTextView* view);
    static void selectionChanged(LogTextView* view);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    enum class Direction { Before, At, After };

    LogTextView* view() const;
    QString textAround(Direction direction, int offset, QAccessible::TextBoundaryType boundaryType,
                       int* startOffset, int* endOffset) const;
};

} // namespace modflash
