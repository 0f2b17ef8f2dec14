// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPlainTextEdit;
class QString;

namespace modflash::bench {

// The simplest correct log: one insert with a cursor at the end per read, then scroll.
void appendWithCursor(QPlainTextEdit* log, const QString& text);

// The naive log: take the whole text, append, set the whole text again, then scroll.
void appendByRewriting(QPlainTextEdit* log, const QString& text);

} // namespace modflash::bench
