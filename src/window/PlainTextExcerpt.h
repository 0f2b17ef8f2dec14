// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleTextInterface>
#include <QString>

namespace modflash {

// A text of its own, answering only what Qt's plain-text rules for characters, words,
// sentences and lines ask of it (its text and length), so that those rules can run on a few
// lines of a long text rather than on a copy of all of it. It has nothing to select, no caret
// and no place on screen.
class PlainTextExcerpt : public QAccessibleTextInterface {
public:
    explicit PlainTextExcerpt(QString text)
        : m_text(std::move(text)) {}

    qsizetype size() const { return m_text.size(); }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    QString m_text;
};

} // namespace modflash
