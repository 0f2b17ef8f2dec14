// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>
#include <string>

namespace modflash::cli {

class Output;

// A one-line progress display on standard error for a person watching a terminal, redrawn in
// place with "\r". It is drawn only when standard output and standard error are both
// terminals, so output that is piped or redirected stays exactly the log's bytes and no error
// file fills with redraws. It is drawn only where the log's last text ended its line, so it
// never covers a line the tool is still printing, and it is wiped before each log text.
class ProgressLine {
public:
    // Enabled when both descriptors are terminals; draws through output's standard error, so
    // the line and the log's text reach the terminal in the order they were made.
    ProgressLine(int outFd, int errFd, Output& output);
    ~ProgressLine();

    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    bool isEnabled() const { return m_enabled; }

    // The text to show from now on; an empty text shows nothing.
    void show(const QString& text);
    // Wipes the line before a log text goes to standard output.
    void beforeLog();
    // Notes where the log text left the cursor and draws the line again where it may.
    void afterLog(const QByteArray& text);
    // Wipes the line for good.
    void clear();

private:
    void draw();
    void wipe();
    std::size_t terminalWidth() const;

    int m_errFd;
    Output& m_output;
    bool m_enabled;
    bool m_atLineStart = true;
    QString m_text;
    std::size_t m_drawnWidth = 0;
};

} // namespace modflash::cli
