// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/LogLines.h"

#include <algorithm>
#include <limits>

namespace modflash {

namespace {

// 2 MB of UTF-16: large enough that the index of blocks stays short, small enough that the
// last block's unused capacity is nothing next to a flood.
constexpr qsizetype blockCapacity = 1024 * 1024;

} // namespace

LogLines::LogLines() {
    clear();
}

void LogLines::clear() {
    m_blocks.clear();
    m_blocks.emplace_back();
    m_blocks.back().text.reserve(blockCapacity);
    m_blocks.back().lineStarts.push_back(0);
    m_lineCount = 1;
    m_characterCount = 0;
    m_lastLineColumns = 0;
    m_columns.assign(1, 0);
}

void LogLines::append(QStringView text) {
    qsizetype runStart = 0;
    for (qsizetype newline = text.indexOf(u'\n'); newline >= 0;
         newline = text.indexOf(u'\n', runStart)) {
        appendToLastLine(text.mid(runStart, newline - runStart));
        startLine();
        runStart = newline + 1;
    }
    appendToLastLine(text.mid(runStart));
}

void LogLines::replaceLastLine(QStringView text) {
    Block& block = m_blocks.back();
    const qsizetype start = block.lineStarts.back();
    m_characterCount -= block.text.size() - start;
    block.text.truncate(start);
    m_lastLineColumns = 0;
    m_columns.back() = 0;
    append(text);
}

void LogLines::appendToLastLine(QStringView run) {
    if (run.isEmpty())
        return;
    Block* block = &m_blocks.back();
    const qsizetype lastStart = block->lineStarts.back();
    if (block->text.size() + run.size() > blockCapacity && lastStart > 0) {
        // The last line moves to a fresh block, so that lines never straddle two blocks and
        // the full block is never reallocated. A line longer than a block has one to itself.
        Block fresh;
        fresh.text.reserve(std::max(blockCapacity, block->text.size() - lastStart + run.size()));
        fresh.text.append(QStringView(block->text).mid(lastStart));
        fresh.lineStarts.push_back(0);
        fresh.firstLine = m_lineCount - 1;
        fresh.firstOffset = offsetOfLine(fresh.firstLine);
        block->text.truncate(lastStart);
        block->text.squeeze();
        block->lineStarts.pop_back();
        m_blocks.push_back(std::move(fresh));
        block = &m_blocks.back();
    }
    block->text.append(run);
    m_characterCount += run.size();
    for (const QChar c : run)
        m_lastLineColumns = advanceColumn(m_lastLineColumns, c);
    m_columns.back() = static_cast<std::uint32_t>(
        std::min<qsizetype>(m_lastLineColumns, std::numeric_limits<std::uint32_t>::max()));
}

void LogLines::startLine() {
    Block& block = m_blocks.back();
    block.lineStarts.push_back(static_cast<std::uint32_t>(block.text.size()));
    ++m_lineCount;
    ++m_characterCount;
    m_lastLineColumns = 0;
    m_columns.push_back(0);
}

const LogLines::Block& LogLines::blockOf(qsizetype line) const {
    const auto after = std::upper_bound(
        m_blocks.begin(), m_blocks.end(), line,
        [](qsizetype wanted, const Block& block) { return wanted < block.firstLine; });
    return *(after - 1);
}

QStringView LogLines::line(qsizetype index) const {
    if (index < 0 || index >= m_lineCount)
        return {};
    const Block& block = blockOf(index);
    const auto within = static_cast<std::size_t>(index - block.firstLine);
    const qsizetype start = block.lineStarts[within];
    const qsizetype end = within + 1 < block.lineStarts.size()
                              ? static_cast<qsizetype>(block.lineStarts[within + 1])
                              : block.text.size();
    return QStringView(block.text).mid(start, end - start);
}

qsizetype LogLines::offsetOfLine(qsizetype index) const {
    index = std::clamp<qsizetype>(index, 0, m_lineCount - 1);
    const Block& block = blockOf(index);
    const auto within = index - block.firstLine;
    // Within a block the lines sit back to back: each earlier one adds its line break.
    return block.firstOffset + block.lineStarts[static_cast<std::size_t>(within)] + within;
}

qsizetype LogLines::lineAtOffset(qsizetype offset) const {
    const auto after = std::upper_bound(
        m_blocks.begin() + 1, m_blocks.end(), offset,
        [](qsizetype wanted, const Block& block) { return wanted < block.firstOffset; });
    const Block& block = *(after - 1);
    const qsizetype within = offset - block.firstOffset;
    // The last line starting at or before the offset: line i starts at lineStarts[i] + i.
    qsizetype low = 0;
    qsizetype high = static_cast<qsizetype>(block.lineStarts.size()) - 1;
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (block.lineStarts[static_cast<std::size_t>(middle)] + middle <= within)
            low = middle;
        else
            high = middle - 1;
    }
    return block.firstLine + low;
}

QString LogLines::text(qsizetype first, qsizetype last) const {
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, m_lineCount - 1);
    QString text;
    if (first > last)
        return text;
    if (first == 0 && last == m_lineCount - 1)
        text.reserve(m_characterCount);
    for (qsizetype index = first; index <= last; ++index) {
        if (index > first)
            text.append(u'\n');
        text.append(line(index));
    }
    return text;
}

qsizetype LogLines::screenColumn(QStringView line, qsizetype index) {
    qsizetype column = 0;
    for (const QChar c : line.left(index))
        column = advanceColumn(column, c);
    return column;
}

qsizetype LogLines::characterAtColumn(QStringView line, qsizetype wanted) {
    qsizetype column = 0;
    for (qsizetype index = 0; index < line.size(); ++index) {
        if (wanted <= column)
            return index;
        const qsizetype next = advanceColumn(column, line[index]);
        if (wanted < next)
            return (wanted - column) * 2 < next - column ? index : index + 1;
        column = next;
    }
    return line.size();
}

QString LogLines::columnsShown(QStringView line, qsizetype first, qsizetype count, bool tabs) {
    if (!tabs)
        return line.mid(std::min(first, line.size()), count).toString();
    QString expanded;
    qsizetype column = 0;
    for (const QChar c : line) {
        if (column >= first + count)
            break;
        const qsizetype next = advanceColumn(column, c);
        if (c == u'\t')
            expanded.append(QString(next - column, u' '));
        else
            expanded.append(c);
        column = next;
    }
    return expanded.mid(std::min(first, expanded.size()), count);
}

} // namespace modflash
