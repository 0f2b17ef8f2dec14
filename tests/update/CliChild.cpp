#include "CliChild.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>

#include <signal.h>

namespace modflash {

namespace {
constexpr int hangLimitMs = 120'000;
}

CliChild::CliChild() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", m_home.path());
    environment.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
    m_process.setProcessEnvironment(environment);
    m_process.setStandardInputFile(QProcess::nullDevice());
}

void CliChild::start(const QStringList& arguments) {
    m_process.start(MODFLASH_CLI, arguments);
}

bool CliChild::waitForOutput(const QByteArray& text) {
    const QDeadlineTimer deadline(hangLimitMs);
    while (!m_out.contains(text)) {
        if (m_process.state() == QProcess::NotRunning || deadline.hasExpired())
            return false;
        m_process.waitForReadyRead(100);
        collect();
    }
    return true;
}

void CliChild::sendSignal(int signal) {
    ::kill(static_cast<pid_t>(m_process.processId()), signal);
}

bool CliChild::finish() {
    const bool ended = m_process.waitForFinished(hangLimitMs);
    collect();
    return ended && m_process.exitStatus() == QProcess::NormalExit;
}

bool CliChild::run(const QStringList& arguments) {
    start(arguments);
    return finish();
}

void CliChild::collect() {
    m_out += m_process.readAllStandardOutput();
    m_err += m_process.readAllStandardError();
}

} // namespace modflash
