// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class QJsonDocument;
class QString;

namespace modflash::cli {

// Where modflash-cli writes: results to standard output, problems to standard error, as UTF-8
// bytes whatever the locale says, so "µTessary" reads the same under LANG=C. Writes go out in
// the order they were made, on both streams together.
//
// During an update the writing moves to a thread of its own: a reader that stops reading (a
// full pipe, a paused terminal) then holds up only that thread, never the event loop, so Stop
// and the signals still reach the tool. A stream that cannot be written (a closed pipe, a full
// disk) takes no more text; the failure is reported once, on standard error when that still
// works.
class Output {
public:
    explicit Output(int outFd = 1, int errFd = 2);
    ~Output();

    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void line(std::string_view text);
    void line(const QString& text);
    void text(const QString& text); // as it is, without adding a line break
    void bytes(const QByteArray& utf8);
    void json(const QJsonDocument& document);
    // One line on standard error, led by the program's name.
    void error(std::string_view message);
    // Bytes for standard error as they are (a progress line being redrawn).
    void errorBytes(std::string_view bytes);

    // From now on, write on a thread of its own.
    void writeInBackground();
    // Back to writing at once, after everything queued has been written.
    void writeInForeground();
    // Calls whenIdle (on the writer's thread) each time everything queued has been written.
    void setIdleCallback(std::function<void()> whenIdle);
    bool isIdle();

    // Reports a failure to write standard output, once, and says whether all was written.
    bool finish();

private:
    struct Piece {
        int fd;
        QByteArray bytes;
    };

    void put(int fd, QByteArray bytes);
    void writeNow(int fd, const std::vector<QByteArray>& pieces);
    void writerLoop();

    int m_outFd;
    int m_errFd;
    // Standard output is a file or a device like /dev/null: no reader can hold it up, so it is
    // written at once even while writing in the background.
    bool m_outNeverBlocks = false;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Piece> m_queue;
    bool m_writing = false; // the writer holds a piece that is not yet written
    bool m_closing = false;
    std::thread m_writer;
    std::function<void()> m_whenIdle;
    int m_outError = 0; // errno of the first failed write to standard output
    bool m_errFailed = false;
    bool m_reported = false;
};

} // namespace modflash::cli
