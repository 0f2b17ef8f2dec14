#include "UpdateRun.h"

#include "Preferences.h"
#include "ResourceDirectory.h"
#include "UpdateTask.h"

#include <QProcessEnvironment>
#include <QStringList>
#include <QtGlobal>

#include <exception>
#include <stdexcept>

namespace modflash {

namespace {

const QString beginningText = QStringLiteral("BEGINNING UPDATE\n");
const QString headerFormat = QStringLiteral("\nUpdating %1 firmware with command:\n%2 %3\n");
const QString successText = QStringLiteral("UPDATE COMPLETED SUCCESSFULLY\n");
const QString errorText = QStringLiteral("ERROR DURING UPDATE\n");
const QString firstFailureNote = QStringLiteral(
    "\nIMPORTANT\nNOTE: Disregard any error messages following the \"Download Done.\" message.\n"
    "      If \"Download Done.\" is displayed and the download reached 100%, your\n"
    "      update was completed successfully!\n\n");
const QString secondFailureNote =
    QStringLiteral("      If your download did not complete, please ensure your module\n"
                   "      is in Bootloader/DFU mode as per the instructions\n"
                   "      and/or try another USB cable.\n\n");

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList argumentList(const UpdateTask& task) {
    QStringList arguments;
    arguments.reserve(static_cast<qsizetype>(task.arguments.size()));
    for (const std::string& argument : task.arguments)
        arguments.append(fromStd(argument));
    return arguments;
}

// Exactly the task's variables: a default QProcessEnvironment that stays empty would also give
// the child none, which is what the task asks for then.
QProcessEnvironment environmentOf(const UpdateTask& task) {
    QProcessEnvironment environment;
    for (const auto& [name, value] : task.environment)
        environment.insert(fromStd(name), fromStd(value));
    return environment;
}

// QProcess names the failing system call ("execvp: No such file or directory"); a person
// needs only the cause next to the path.
QString startFailureReason(const QProcess& process) {
    QString cause = process.errorString();
    for (const QLatin1StringView call :
         {QLatin1StringView("execvp: "), QLatin1StringView("execve: ")}) {
        if (cause.startsWith(call))
            cause.remove(0, call.size());
    }
    return QStringLiteral("could not start %1: %2").arg(process.program(), cause);
}

} // namespace

UpdateRun::UpdateRun(QObject* parent)
    : QObject(parent) {
    connectTimer();
}

UpdateRun::~UpdateRun() {
    // The process dies with this object; nothing of it may call back into a half-destroyed one.
    if (m_process)
        m_process->disconnect(this);
}

void UpdateRun::connectTimer() {
    m_killTimer.setSingleShot(true);
    connect(&m_killTimer, &QTimer::timeout, this, &UpdateRun::killAfterGracePeriod);
}

bool UpdateRun::start(ProductPtr product, FirmwarePtr firmware, const ResourceDirectory& resources,
                      const Preferences& preferences) {
    if (m_busy)
        return false;
    m_busy = true;
    m_stopRequested = false;
    m_toolEnd = {};
    m_product = std::move(product);
    m_firmware = std::move(firmware);

    setRunning(true);
    writeToLog(beginningText);

    UpdateTask task;
    try {
        if (!m_product || !m_firmware)
            throw std::invalid_argument("no product or firmware image was chosen");
        task = m_product->createUpdateTask(*m_firmware, resources, preferences);
    } catch (const std::exception& error) {
        failToRun(QString::fromUtf8(error.what()));
        return true;
    }
    launch(task);
    return true;
}

void UpdateRun::launch(const UpdateTask& task) {
    createProcess(task);
    const QStringList arguments = m_process->arguments();
    writeToLog(headerFormat.arg(fromStd(m_product->title()), m_process->program(),
                                arguments.join(QLatin1Char(' '))));
    // A tool that cannot start reports it through errorOccurred, possibly before start()
    // returns; everything it needs is in place by now.
    m_process->start(QIODevice::ReadOnly);
}

void UpdateRun::createProcess(const UpdateTask& task) {
    // The previous process may be the one whose finished() led here, so it is let go later.
    if (m_process) {
        m_process->disconnect(this);
        m_process->deleteLater();
    }
    m_process = new QProcess(this);
    m_process->setProgram(fromStd(task.launchPath));
    m_process->setArguments(argumentList(task));
    m_process->setProcessEnvironment(environmentOf(task));
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // Nobody answers a tool that asks a question; it reads end of input instead of waiting.
    m_process->setStandardInputFile(QProcess::nullDevice());
    connectProcess();
}

void UpdateRun::connectProcess() {
    connect(m_process, &QProcess::readyReadStandardOutput, this, &UpdateRun::readOutput);
    connect(m_process, &QProcess::finished, this, &UpdateRun::processFinished);
    connect(m_process, &QProcess::errorOccurred, this, &UpdateRun::processError);
}

void UpdateRun::readOutput() {
    // One read, one log text: each chunk reaches the log whole and in order.
    const QByteArray chunk = m_process->readAllStandardOutput();
    if (!chunk.isEmpty())
        emit outputChunk(chunk);
    const QString text = m_decoder.decode(chunk);
    if (!text.isEmpty())
        writeToLog(text);
}

void UpdateRun::drainOutput() {
    if (m_process->bytesAvailable() > 0)
        readOutput();
    const QString rest = m_decoder.finish();
    if (!rest.isEmpty())
        writeToLog(rest);
}

void UpdateRun::processFinished(int exitCode, QProcess::ExitStatus exitStatus) {
    if (!m_busy)
        return;
    // Everything the tool wrote comes before the verdict.
    drainOutput();
    m_toolEnd.stopped = m_stopRequested;
    m_toolEnd.crashed = exitStatus != QProcess::NormalExit;
    m_toolEnd.exitCode = exitStatus == QProcess::NormalExit ? exitCode : 0;
    const bool succeeded = exitStatus == QProcess::NormalExit && exitCode == 0;
    if (succeeded) {
        writeToLog(successText);
    } else {
        writeToLog(firstFailureNote);
        writeToLog(secondFailureNote);
    }
    end(succeeded ? Outcome::Succeeded : Outcome::ToolFailed);
}

void UpdateRun::processError(QProcess::ProcessError error) {
    // A crash is followed by finished(), which gives the verdict; a tool that never started
    // gets no finished() at all.
    if (error != QProcess::FailedToStart || !m_busy)
        return;
    drainOutput();
    failToRun(startFailureReason(*m_process));
}

void UpdateRun::stop() {
    setRunning(false);
    if (!m_busy || !m_process || m_process->state() == QProcess::NotRunning)
        return;
    if (m_stopRequested) {
        m_process->kill();
        return;
    }
    m_stopRequested = true;
    m_process->terminate();
    m_killTimer.start(m_gracePeriod);
}

void UpdateRun::killAfterGracePeriod() {
    if (m_busy && m_process && m_process->state() != QProcess::NotRunning)
        m_process->kill();
}

void UpdateRun::failToRun(const QString& reason) {
    qWarning("Problem running task: %s", qUtf8Printable(reason));
    m_toolEnd.failure = reason;
    writeToLog(errorText);
    end(Outcome::CouldNotRun);
}

void UpdateRun::end(Outcome outcome) {
    m_killTimer.stop();
    m_busy = false;
    setRunning(false);
    emit finished(outcome);
}

void UpdateRun::setRunning(bool running) {
    if (m_running == running)
        return;
    m_running = running;
    emit runningChanged(running);
}

void UpdateRun::writeToLog(const QString& text) {
    emit logText(text);
}

} // namespace modflash
