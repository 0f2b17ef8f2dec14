// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaintProbe.h"

#include "window/LogTextView.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace modflash::bench {

PaintProbe::PaintProbe(QAbstractScrollArea* log, std::function<void()> painted)
    : m_painted(std::move(painted)) {
    log->viewport()->installEventFilter(this);
}

bool PaintProbe::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint)
        m_painted();
    return false;
}

QString lastLines(const LogTextView* log, int count) {
    const qsizetype lineCount = log->lines().lineCount();
    return log->lines().text(lineCount - count, lineCount - 1);
}

QString lastLines(const QPlainTextEdit* log, int count) {
    QStringList lines;
    for (QTextBlock block = log->document()->lastBlock(); block.isValid() && count > 0;
         block = block.previous(), --count)
        lines.prepend(block.text());
    return lines.join(QLatin1Char('\n'));
}

} // namespace modflash::bench
