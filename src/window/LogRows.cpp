// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/LogRows.h"

#include "window/LogLines.h"

#include <algorithm>

namespace modflash {

void LogRows::wrapAt(qsizetype columns, const LogLines& lines) {
    m_wrap = std::max<qsizetype>(columns, 1);
    m_firstRows.assign(1, 0);
    layOut(0, lines);
}

void LogRows::update(const LogLines& lines) {
    // Only the last line known so far can have changed; a log cleared starts again.
    const auto known = static_cast<qsizetype>(m_firstRows.size()) - 1;
    if (known > lines.lineCount()) {
        m_firstRows.assign(1, 0);
        layOut(0, lines);
        return;
    }
    layOut(std::max<qsizetype>(known - 1, 0), lines);
}

void LogRows::layOut(qsizetype fromLine, const LogLines& lines) {
    m_firstRows.resize(index(lines.lineCount()) + 1);
    for (qsizetype line = fromLine; line < lines.lineCount(); ++line) {
        // An empty line still takes a row; a line as wide as the view takes no extra one.
        const qsizetype rows = std::max<qsizetype>(1, (lines.columns(line) + m_wrap - 1) / m_wrap);
        m_firstRows[index(line) + 1] = m_firstRows[index(line)] + rows;
    }
}

qsizetype LogRows::lineAtRow(qsizetype row) const {
    // The last line whose first row is at or before `row`.
    const auto after = std::upper_bound(m_firstRows.begin(), m_firstRows.end() - 1, row);
    return std::max<qsizetype>(after - m_firstRows.begin() - 1, 0);
}

} // namespace modflash
