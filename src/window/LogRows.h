// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <vector>

namespace modflash {

class LogLines;

// Where the log's lines fall on screen when the long ones wrap at the view's width, as a
// terminal wraps them: the first row of every line. Text arriving costs only its own lines, a
// new width one pass over the lines' widths (no text is read), and the line on a row is a
// binary search, so a flood wraps as cheaply as it scrolls.
class LogRows {
public:
    // Wraps every line anew at `columns` (one at least).
    void wrapAt(qsizetype columns, const LogLines& lines);
    // Takes in the lines that arrived and the last line's new width.
    void update(const LogLines& lines);

    qsizetype wrapColumns() const { return m_wrap; }
    qsizetype rowCount() const { return m_firstRows.back(); }
    qsizetype firstRow(qsizetype line) const { return m_firstRows[index(line)]; }
    qsizetype rowsOf(qsizetype line) const {
        return m_firstRows[index(line) + 1] - m_firstRows[index(line)];
    }
    // The line that row `row` belongs to; rows beyond the end belong to the last line.
    qsizetype lineAtRow(qsizetype row) const;

private:
    static std::size_t index(qsizetype line) { return static_cast<std::size_t>(line); }
    void layOut(qsizetype fromLine, const LogLines& lines);

    qsizetype m_wrap = 80;
    // One more entry than lines: the last is the number of rows.
    std::vector<qsizetype> m_firstRows{0};
};

} // namespace modflash
