// SPDX-License-Identifier: GPL-3.0-or-later
#include "BaselineLogs.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace modflash::bench {

namespace {

void scrollToEnd(QPlainTextEdit* log) {
    QScrollBar* bar = log->verticalScrollBar();
    bar->setValue(bar->maximum());
}

} // namespace

void appendWithCursor(QPlainTextEdit* log, const QString& text) {
    QTextCursor cursor(log->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    scrollToEnd(log);
}

void appendByRewriting(QPlainTextEdit* log, const QString& text) {
    log->setPlainText(log->toPlainText() + text);
    scrollToEnd(log);
}

} // namespace modflash::bench
