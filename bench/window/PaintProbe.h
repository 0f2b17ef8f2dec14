#pragma once

#include <QObject>

#include <functional>

class QPlainTextEdit;

namespace modflash::bench {

// Calls back each time the log view paints: what the document holds then is what the user
// sees, so "visible" in these benchmarks means "in the document when the view painted".
class PaintProbe : public QObject {
public:
    PaintProbe(QPlainTextEdit* log, std::function<void()> painted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_painted;
};

// The text of the log's last few lines, cheap to take however long the log is.
QString lastLines(const QPlainTextEdit* log, int count);

} // namespace modflash::bench
