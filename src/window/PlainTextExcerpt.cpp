// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PlainTextExcerpt.h"

#include <algorithm>
#include <climits>

namespace modflash {

void PlainTextExcerpt::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

QString PlainTextExcerpt::text(int startOffset, int endOffset) const {
    return m_text.mid(startOffset, endOffset - startOffset);
}

int PlainTextExcerpt::characterCount() const {
    return static_cast<int>(std::min<qsizetype>(m_text.size(), INT_MAX));
}

QString PlainTextExcerpt::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = offset;
    return {};
}

} // namespace modflash
