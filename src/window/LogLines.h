// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace modflash {

// The log's text as lines, kept compactly for tens of megabytes of tool output: the lines sit
// back to back, without their line breaks, in UTF-16 blocks of a fixed capacity, each block
// with the offsets where its lines start. A block is never reallocated once full, so growing
// the log costs no copying of what is there and no slack beyond the last block. Text only
// grows at the end; the one other change is the terminal's redraw of the last line.
class LogLines {
public:
    LogLines();

    // Appends to the last line; each "\n" ends it and starts a new, empty one.
    void append(QStringView text);
    // Gives the last line a new text, as a terminal does after a lone carriage return.
    void replaceLastLine(QStringView text);
    void clear();

    // Never zero: an empty log is one empty line, as an empty text view shows it.
    qsizetype lineCount() const { return m_lineCount; }
    QStringView line(qsizetype index) const;
    // The width of line `index` in columns, tabs expanded.
    qsizetype columns(qsizetype index) const { return m_columns[static_cast<std::size_t>(index)]; }
    // Characters of text, line breaks included.
    qsizetype characterCount() const { return m_characterCount; }
    // The lines from `first` to `last` (inclusive), joined by "\n".
    QString text(qsizetype first, qsizetype last) const;

    // Where line `index` starts in the text, counting every earlier line and its line break;
    // and the line a character offset falls in, a line's "\n" belonging to that line. Both
    // look up rather than count, so they cost the same at the end of a flood as at its start.
    qsizetype offsetOfLine(qsizetype index) const;
    qsizetype lineAtOffset(qsizetype offset) const;

    static constexpr qsizetype tabWidth = 8;
    static qsizetype advanceColumn(qsizetype column, QChar c) {
        return c == u'\t' ? (column / tabWidth + 1) * tabWidth : column + 1;
    }
    // The screen column where character `index` of `line` starts.
    static qsizetype screenColumn(QStringView line, qsizetype index);
    // The character index nearest to screen column `wanted`; a click on a tab's second half
    // lands after the tab.
    static qsizetype characterAtColumn(QStringView line, qsizetype wanted);
    // The part of `line` on screen columns [first, first + count), tabs (when it has any)
    // expanded to spaces.
    static QString columnsShown(QStringView line, qsizetype first, qsizetype count, bool tabs);

private:
    struct Block {
        QString text;
        std::vector<std::uint32_t> lineStarts;
        qsizetype firstLine = 0;
        qsizetype firstOffset = 0; // of its first line in the whole text
    };

    void appendToLastLine(QStringView run);
    void startLine();
    const Block& blockOf(qsizetype line) const;

    std::vector<Block> m_blocks;
    qsizetype m_lineCount = 0;
    qsizetype m_characterCount = 0;
    qsizetype m_lastLineColumns = 0;
    // Each line's width, so that wrapping the log at another width reads no text.
    std::vector<std::uint32_t> m_columns;
};

} // namespace modflash
