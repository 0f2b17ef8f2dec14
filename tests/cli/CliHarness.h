// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "update/SettingsPreferences.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/types.h>

namespace modflash::testing {

// A pseudo-terminal in raw mode, so that what the program writes arrives byte for byte.
struct Terminal {
    explicit Terminal(unsigned short columns = 100);
    // Everything written until the program ended and closed its end.
    QByteArray readAll();
    int master = -1;
    int slave = -1;
};

// modflash-cli run as a child process, with a temporary HOME and XDG_CONFIG_HOME so that it
// reads the preferences file the test writes and nothing of the user's. Its standard output
// and error are pipes the harness reads, unless a test hands it other descriptors (a full
// disk, a pipe nobody reads, a terminal); its standard input a pipe held open until it ends.
class CliHarness : public ::testing::Test {
public:
    struct Run {
        int status = -1; // exit status, or -1 when a signal ended the program
        QByteArray out;
        QByteArray err;
    };

protected:
    ~CliHarness() override;

    // Runs to the end. extraEnvironment: NAME=value entries over the harness's.
    Run run(const QStringList& arguments, const QStringList& extraEnvironment = {});

    // Starts; standard output or error may be given descriptors instead of the harness's pipes.
    void start(const QStringList& arguments, int outFd = -1, int errFd = -1,
               const QStringList& extraEnvironment = {});
    // Reads until standard output holds the text; false if the program ended first.
    bool waitForOutput(const QByteArray& text);
    // Waits for the end and collects the rest of the output.
    Run finish();

    // The preferences file the program reads, in the temporary HOME.
    SettingsPreferences preferences() const {
        return SettingsPreferences(m_home.filePath("config/modflash/modflash.conf"));
    }
    // Where the image's private copy is, in what run() and finish() return.
    static constexpr const char* imageCopy = "{copy}";
    QByteArray withCopyNamed(QByteArray output) const;
    // What the log adds after a tool of the product's family ended with status 1.
    static QByteArray failureNotes(const QString& product);
    // Every file under HOME with its content, to show that a run wrote nothing.
    QStringList homeFiles() const;

    QTemporaryDir m_home;
    QTemporaryDir m_runtime; // the program's XDG_RUNTIME_DIR
    pid_t m_pid = -1;

private:
    void readAvailable(int timeoutMs);

    int m_inPipe = -1;
    int m_outPipe = -1;
    int m_errPipe = -1;
    Run m_run;
};

} // namespace modflash::testing
