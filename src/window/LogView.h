#pragma once

#include <QFont>
#include <QPointer>
#include <QString>
#include <QStringView>

class QPlainTextEdit;
class QTextCursor;

namespace modflash {

// The log view: a read-only plain-text view that only ever grows at its end. Text is appended
// without rewriting what is there, and the view follows the end. Carriage returns are shown as
// a terminal shows them, because tools redraw progress bars with a lone "\r": text after a
// lone "\r" replaces the current line, while "\r\n" (even split across two appends) is one
// line break that keeps the line.
class LogView {
public:
    explicit LogView(QPlainTextEdit* view);

    // Menlo at 11 points where the font database has it, else the system's fixed face.
    static QFont logFont();

    void configure();
    void append(const QString& text);
    QString text() const;

private:
    void insertRun(QTextCursor& cursor, QStringView run);
    void scrollToEnd();

    QPointer<QPlainTextEdit> m_view;
    // A "\r" ended the last append; whether it starts a line break is not known yet.
    bool m_carriageReturnPending = false;
};

} // namespace modflash
