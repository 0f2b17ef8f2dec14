// modflash-cli's progress line: on standard error, and only when a person watches both output
// streams on a terminal; standard output carries the log's bytes unchanged either way.
#include "CliChild.h"
#include "LogText.h"
#include "ToolDirectory.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace modflash {
namespace {

constexpr int hangLimitMs = 120'000;

// A pseudo-terminal in raw mode, so that what the program writes arrives byte for byte.
class Terminal {
public:
    Terminal() {
        termios raw{};
        cfmakeraw(&raw);
        winsize size{};
        size.ws_col = 100;
        size.ws_row = 30;
        if (::openpty(&m_master, &m_slave, nullptr, &raw, &size) != 0)
            throw std::runtime_error("no pseudo-terminal");
        ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    }
    ~Terminal() {
        ::close(m_master);
        closeSlave();
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    int slave() const { return m_slave; }
    void closeSlave() {
        if (m_slave >= 0)
            ::close(m_slave);
        m_slave = -1;
    }
    // Takes what has arrived so far without waiting.
    void drain() {
        pollfd watch{m_master, POLLIN, 0};
        char buffer[4096];
        while (::poll(&watch, 1, 0) > 0 && (watch.revents & POLLIN)) {
            const ssize_t got = ::read(m_master, buffer, sizeof buffer);
            if (got <= 0)
                break;
            m_received.append(buffer, got);
        }
    }
    const QByteArray& received() const { return m_received; }

private:
    int m_master = -1;
    int m_slave = -1;
    QByteArray m_received;
};

// avrdude writing a flash image the way it does into a pipe, slowly enough to be watched.
const QByteArray avrdudeWriting =
    "printf 'avrdude: writing 504 bytes flash ...\\n\\nWriting | '\n"
    "for i in 1 2 3 4 5; do printf '##########'; sleep 0.05; done\n"
    "printf ' | 100%% 0.62s\\n\\navrdude: 504 bytes of flash written\\n'";

class CliProgressLineTest : public ::testing::Test {
protected:
    CliProgressLineTest() {
        tools.writeFile("firmware/drovel_1.0.hex", "image");
        tools.installTool("avrdude", avrdudeWriting);
    }

    QStringList arguments() const {
        return {"update", "Drovel", "1.0", "--resources", tools.path()};
    }

    // Runs the program with its standard output and, where given, its standard error on
    // terminals; what goes to a pipe instead is returned in pipedOut and pipedErr.
    bool runOn(Terminal* out, Terminal* err) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        environment.insert("TERM", "xterm");
        process.setProcessEnvironment(environment);
        process.setStandardInputFile(QProcess::nullDevice());
        const int outFd = out ? out->slave() : -1;
        const int errFd = err ? err->slave() : -1;
        process.setChildProcessModifier([outFd, errFd] {
            if (outFd >= 0)
                ::dup2(outFd, STDOUT_FILENO);
            if (errFd >= 0)
                ::dup2(errFd, STDERR_FILENO);
        });
        process.start(MODFLASH_CLI, arguments());
        if (!process.waitForStarted(hangLimitMs))
            return false;
        for (Terminal* terminal : {out, err}) {
            if (terminal)
                terminal->closeSlave();
        }
        while (!process.waitForFinished(50)) {
            if (process.state() == QProcess::NotRunning)
                break;
            for (Terminal* terminal : {out, err}) {
                if (terminal)
                    terminal->drain();
            }
        }
        for (Terminal* terminal : {out, err}) {
            if (terminal)
                terminal->drain();
        }
        pipedOut = process.readAllStandardOutput();
        pipedErr = process.readAllStandardError();
        status = process.exitCode();
        return process.exitStatus() == QProcess::NormalExit;
    }

    ToolDirectory tools;
    QTemporaryDir home;
    QByteArray pipedOut;
    QByteArray pipedErr;
    int status = -1;
};

TEST_F(CliProgressLineTest, ProgressLineOnlyWhenBothStreamsAreTerminals) {
    CliChild piped;
    ASSERT_TRUE(piped.run(arguments()));
    EXPECT_EQ(piped.status(), 0);
    EXPECT_TRUE(piped.out().endsWith("Writing | " + QByteArray(50, '#') +
                                     " | 100% 0.62s\n\navrdude: 504 bytes of flash written\n" +
                                     LogText::success.toUtf8()));
    EXPECT_FALSE(piped.out().contains('\r'));
    EXPECT_EQ(piped.err(), QString());

    // Standard output on a terminal but standard error redirected: still no progress line.
    Terminal outOnly;
    ASSERT_TRUE(runOn(&outOnly, nullptr));
    EXPECT_EQ(outOnly.received(), piped.out());
    EXPECT_EQ(pipedErr, QByteArray());

    Terminal out;
    Terminal err;
    ASSERT_TRUE(runOn(&out, &err));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.received(), piped.out()) << "standard output must not change on a terminal";
    const QByteArray shown = err.received();
    EXPECT_TRUE(shown.contains("Updating: Writing flash 100%")) << shown.toStdString();
    // Each drawing is wiped with spaces between carriage returns, the last one included.
    const QByteArray lastWipe = shown.mid(shown.lastIndexOf("%") + 1);
    EXPECT_EQ(lastWipe.count('\r'), 2) << lastWipe.toStdString();
    EXPECT_EQ(lastWipe.trimmed(), QByteArray());
    EXPECT_TRUE(shown.endsWith('\r'));
    EXPECT_FALSE(shown.contains('\n')) << "the line never moves the cursor down";
}

} // namespace
} // namespace modflash
