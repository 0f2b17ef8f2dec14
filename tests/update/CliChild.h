#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace modflash {

// modflash-cli run as a child process with a temporary HOME and XDG_CONFIG_HOME, so it reads
// no preferences of the user's.
class CliChild {
public:
    CliChild();

    void start(const QStringList& arguments);
    // Waits until standard output holds text; false if the program ended first.
    bool waitForOutput(const QByteArray& text);
    void sendSignal(int signal);
    // Waits for the end; false if the program never ended or was ended by a signal.
    bool finish();

    // Starts, then waits for the end.
    bool run(const QStringList& arguments);

    int status() const { return m_process.exitCode(); }
    const QByteArray& out() const { return m_out; }
    QString err() const { return QString::fromUtf8(m_err); }

private:
    void collect();

    QTemporaryDir m_home;
    QProcess m_process;
    QByteArray m_out;
    QByteArray m_err;
};

} // namespace modflash
