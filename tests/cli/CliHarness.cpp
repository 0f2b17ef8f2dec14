// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliHarness.h"

#include "catalogue/ProductCatalogue.h"
#include "flashing/FamilyProfile.h"

#include <QDeadlineTimer>
#include <QDirIterator>
#include <QProcessEnvironment>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <utility>
#include <vector>

namespace modflash::testing {

Terminal::Terminal(unsigned short columns) {
    termios raw{};
    cfmakeraw(&raw);
    winsize size{30, columns, 0, 0};
    if (::openpty(&master, &slave, nullptr, &raw, &size) != 0)
        ADD_FAILURE() << "no pseudo-terminal";
}

QByteArray Terminal::readAll() {
    ::close(slave);
    QByteArray bytes;
    char buffer[4096];
    for (ssize_t got; (got = ::read(master, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, got);
    ::close(master);
    return bytes;
}

namespace {

constexpr int hangLimitMs = 120'000;

// Arguments as bytes: a lone surrogate U+DC80 to U+DCFF stands for the byte it ends in, so a
// test can pass bytes that are not UTF-8.
QByteArray bytesOf(const QString& argument) {
    QByteArray bytes;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        const char16_t c = argument.at(i).unicode();
        if (c >= 0xDC80 && c <= 0xDCFF)
            bytes.append(static_cast<char>(c - 0xDC00));
        else
            bytes.append(QStringView(argument).mid(i, 1).toUtf8());
    }
    return bytes;
}

} // namespace

CliHarness::~CliHarness() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    for (int fd : {m_outPipe, m_errPipe, m_inPipe})
        if (fd >= 0)
            ::close(fd);
}

CliHarness::Run CliHarness::run(const QStringList& arguments, const QStringList& extraEnvironment) {
    start(arguments, -1, -1, extraEnvironment);
    return finish();
}

void CliHarness::start(const QStringList& arguments, int outFd, int errFd,
                       const QStringList& extraEnvironment) {
    m_run = {};
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
    // Standard input is a pipe the harness holds open and never writes: a tool that inherited
    // it would wait for input for ever.
    int in[2] = {-1, -1};
    if ((outFd < 0 && ::pipe2(out, O_CLOEXEC) != 0) ||
        (errFd < 0 && ::pipe2(err, O_CLOEXEC) != 0) || ::pipe2(in, O_CLOEXEC) != 0)
        FAIL() << "no pipe";
    std::vector<QByteArray> strings{MODFLASH_CLI};
    for (const QString& argument : arguments)
        strings.push_back(bytesOf(argument));
    // The language is English unless a test asks for another, whatever the user running the
    // tests speaks.
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const QString& entry :
         QStringList{"HOME=" + m_home.path(), "XDG_CONFIG_HOME=" + m_home.filePath("config"),
                     "XDG_RUNTIME_DIR=" + m_runtime.path(),
                     "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/bus", "LANG=C.UTF-8",
                     "LANGUAGE=", "LC_ALL=", "LC_MESSAGES=",
                     // The user's folders, cache and feed state under HOME; no proxy in between.
                     "XDG_DATA_HOME=", "XDG_CACHE_HOME=", "XDG_STATE_HOME=", "http_proxy=",
                     "https_proxy=", "HTTP_PROXY=", "HTTPS_PROXY=", "all_proxy=", "no_proxy="} +
             extraEnvironment)
        variables.insert(entry.section('=', 0, 0), entry.section('=', 1));
    std::vector<QByteArray> environment;
    for (const QString& entry : variables.toStringList())
        environment.push_back(entry.toUtf8());
    std::vector<char*> argv, envp;
    for (QByteArray& s : strings)
        argv.push_back(s.data());
    for (QByteArray& s : environment)
        envp.push_back(s.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(outFd >= 0 ? outFd : out[1], STDOUT_FILENO);
        ::dup2(errFd >= 0 ? errFd : err[1], STDERR_FILENO);
        ::dup2(in[0], STDIN_FILENO);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    for (int fd : {out[1], err[1], in[0]})
        if (fd >= 0)
            ::close(fd);
    m_inPipe = in[1];
    m_outPipe = out[0];
    m_errPipe = err[0];
}

void CliHarness::readAvailable(int timeoutMs) {
    std::vector<pollfd> watch;
    for (int fd : {m_outPipe, m_errPipe})
        if (fd >= 0)
            watch.push_back({fd, POLLIN, 0});
    if (watch.empty() || ::poll(watch.data(), watch.size(), timeoutMs) <= 0)
        return;
    for (const pollfd& entry : watch) {
        if (!entry.revents)
            continue;
        char buffer[65536];
        const ssize_t got = ::read(entry.fd, buffer, sizeof buffer);
        QByteArray& target = entry.fd == m_outPipe ? m_run.out : m_run.err;
        if (got > 0) {
            target.append(buffer, got);
        } else {
            ::close(entry.fd);
            (entry.fd == m_outPipe ? m_outPipe : m_errPipe) = -1;
        }
    }
}

bool CliHarness::waitForOutput(const QByteArray& text) {
    const QDeadlineTimer deadline(hangLimitMs);
    while (!m_run.out.contains(text)) {
        if (m_outPipe < 0 || deadline.hasExpired())
            return false;
        readAvailable(50);
    }
    return true;
}

CliHarness::Run CliHarness::finish() {
    const QDeadlineTimer deadline(hangLimitMs);
    while ((m_outPipe >= 0 || m_errPipe >= 0) && !deadline.hasExpired())
        readAvailable(50);
    int status = 0;
    while (::waitpid(m_pid, &status, WNOHANG) == 0) {
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "modflash-cli did not end";
            ::kill(m_pid, SIGKILL);
        }
        ::usleep(10000);
    }
    m_pid = -1;
    ::close(std::exchange(m_inPipe, -1));
    m_run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m_run.out = withCopyNamed(m_run.out);
    return m_run;
}

QByteArray CliHarness::withCopyNamed(QByteArray output) const {
    // The image's private copy has a name made up for each run.
    const QByteArray copies = m_runtime.path().toUtf8() + "/modflash-image-";
    for (qsizetype at = 0; (at = output.indexOf(copies, at)) >= 0;)
        output.replace(at, copies.size() + 6, imageCopy);
    return output;
}

QByteArray CliHarness::failureNotes(const QString& product) {
    QByteArray notes;
    for (const std::string& note : ProductCatalogue()
                                       .productNamed(product.toStdString())
                                       ->profile()
                                       .verdictTexts(ToolEnd::fromExit(true, 1, false)))
        notes += QByteArray::fromStdString(note);
    return notes;
}

QStringList CliHarness::homeFiles() const {
    QStringList files;
    QDirIterator it(m_home.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    return files;
}

} // namespace modflash::testing
