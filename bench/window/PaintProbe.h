// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QAbstractScrollArea;
class QPlainTextEdit;

namespace modflash {
class LogTextView;
}

namespace modflash::bench {

// Calls back each time the log view paints: what the view holds then is what the user sees,
// so "visible" in these benchmarks means "in the view when it painted".
class PaintProbe : public QObject {
public:
    PaintProbe(QAbstractScrollArea* log, std::function<void()> painted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_painted;
};

// The text of the log's last few lines, cheap to take however long the log is.
QString lastLines(const LogTextView* log, int count);
QString lastLines(const QPlainTextEdit* log, int count);

} // namespace modflash::bench
