// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/UpdateRun.h"

#include "feed/BoundedFetch.h"
#include "feed/ImageDownload.h"
#include "flashing/FamilyProfile.h"
#include "flashing/LogTexts.h"
#include "flashing/UpdateTask.h"
#include "flashing/Utf8.h"
#include "flashing/Wording.h"

#include <QNetworkAccessManager>
#include <QProcessEnvironment>
#include <QStringList>

#include <csignal>
#include <exception>
#include <stdexcept>
#include <unistd.h>

namespace modflash {

namespace {

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

// The child's arguments pass through text in the locale's encoding, which is UTF-8 here: bytes
// that are not UTF-8 would reach the tool changed, naming another file than the one chosen.
void requireUtf8(const UpdateTask& task) {
    const auto check = [](const std::string& text) {
        if (!isValidUtf8(text))
            throw std::runtime_error("\"" + fromStd(text).toStdString() +
                                     "\" is not valid UTF-8, so the tool cannot be given it as "
                                     "it is; rename the file or its folder");
    };
    check(task.launchPath);
    for (const std::string& argument : task.arguments)
        check(argument);
    for (const auto& [name, value] : task.environment)
        check(value);
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
    signalToolGroup(SIGKILL);
}

void UpdateRun::connectTimer() {
    m_killTimer.setSingleShot(true);
    connect(&m_killTimer, &QTimer::timeout, this, [this] { signalToolGroup(SIGKILL); });
}

bool UpdateRun::start(ProductPtr product, FirmwarePtr firmware, const ResourceDirectory& resources,
                      const Preferences& preferences, const UpdateOptions& options) {
    if (!begin(Stage::CheckingImage, std::move(product), resources, preferences, options))
        return false;
    checkAndLaunch(firmware);
    return true;
}

bool UpdateRun::start(ProductPtr product, const feed::FirmwareOffer& offer,
                      const ResourceDirectory& resources, const Preferences& preferences,
                      const UpdateOptions& options) {
    if (!offer.release)
        return start(std::move(product), offer.firmware, resources, preferences, options);
    if (!begin(Stage::Downloading, std::move(product), resources, preferences, options))
        return false;
    download(*offer.release);
    return true;
}

bool UpdateRun::begin(Stage first, ProductPtr product, const ResourceDirectory& resources,
                      const Preferences& preferences, const UpdateOptions& options) {
    if (!moveTo(first))
        return false;
    m_product = std::move(product);
    m_resources = resources;
    m_preferences = MemoryPreferences::snapshotOf(preferences);
    m_options = options;
    m_image.reset();
    m_release.reset();
    writeToLog(LogTexts::beginning);
    return true;
}

void UpdateRun::download(const feed::FeedRelease& release) {
    m_release = release;
    if (!m_product) {
        end(ToolEnd::couldNotRun("no product was chosen"));
        return;
    }
    if (!m_network)
        m_network = feed::BoundedFetch::createNetwork();
    m_download = std::make_unique<feed::ImageDownload>(
        *m_network, m_cache, release, QString::fromStdString(m_product->firmwareExtension()));
    m_download->setNetworkAllowed(m_options.networkAllowed);
    connect(m_download.get(), &feed::ImageDownload::progress, this, &UpdateRun::downloadProgress);
    connect(m_download.get(), &feed::ImageDownload::finished, this, &UpdateRun::downloaded);
    m_download->start();
    if (m_download->isFetching())
        writeToLog(LogTexts::downloading(release.url.toString().toStdString()));
}

void UpdateRun::downloaded() {
    if (stage() != Stage::Downloading)
        return;
    if (const std::optional<feed::FeedFailure>& failed = m_download->failure()) {
        const std::string reason = failed->reason.toStdString();
        end(failed->kind == feed::FeedFailure::Kind::Refused ? ToolEnd::refused(reason)
                                                             : ToolEnd::unreachable(reason));
        return;
    }
    if (!m_download->wasCached())
        writeToLog(LogTexts::downloadVerified(std::uint64_t(m_release->size),
                                              m_release->sha256.toStdString()));
    if (moveTo(Stage::CheckingImage))
        checkAndLaunch(std::make_shared<const Firmware>(
            m_download->imagePath().toStdString(),
            Firmware::KnownVersion{m_release->version.toStdString()}));
}

void UpdateRun::checkAndLaunch(const FirmwarePtr& firmware) {
    std::optional<UpdateTask> check;
    try {
        check = prepare(firmware);
    } catch (const std::exception& error) {
        end(ToolEnd::couldNotRun(error.what()));
        return;
    }
    if (stage() == Stage::CheckingImage)
        check ? launch(Stage::CheckingModule, *check) : launch(Stage::Writing, m_writeTask);
}

// Builds both commands and checks the image, so that nothing runs when either fails; returns
// the module check's command when there is one to run first.
std::optional<UpdateTask> UpdateRun::prepare(const FirmwarePtr& firmware) {
    if (!m_product || !firmware)
        throw std::invalid_argument("no product or firmware image was chosen");
    // Built once with the chosen path, so that a command that cannot be built says so before
    // the file is read.
    m_writeTask = m_product->createUpdateTask(*firmware, m_resources, m_preferences);
    requireUtf8(m_writeTask);
    std::optional<UpdateTask> check;
    if (m_options.checkModule)
        check = m_product->moduleCheckTask(m_resources, m_preferences);
    if (check)
        requireUtf8(*check);
    // The file is read again here: it may have changed since it was chosen.
    const std::string& path = firmware->path();
    std::string bytes;
    const ImageReport image = m_product->checkImage(path, m_options.connectedFlash,
                                                    path.substr(path.rfind('/') + 1), &bytes);
    if (!image.accepted() && !(image.mayBeConfirmed() && m_options.allowImplausible)) {
        end(ToolEnd::refused(image.reason));
        return check;
    }
    if (!isTheRelease(image, path))
        return check;
    if (m_product->imageRequirements()) {
        m_image = std::make_unique<CheckedImageCopy>(path, bytes);
        m_writeTask =
            m_product->createUpdateTask(Firmware(m_image->path(), ""), m_resources, m_preferences);
        writeToLog(LogTexts::imageChecked(path));
    }
    return check;
}

// The bytes checked are the ones the copy and the tool get: a downloaded image changed after
// its download was verified is refused here, however little time there was for it.
bool UpdateRun::isTheRelease(const ImageReport& image, const std::string& path) {
    if (!m_release || image.sha256 == m_release->sha256.toStdString())
        return true;
    const std::string name = Wording::user().quoted(path.substr(path.rfind('/') + 1));
    end(ToolEnd::refused(tr("%1 is not the image the feed offers: its SHA-256 is %2 where the "
                            "feed says %3; it was changed after it was downloaded")
                             .arg(QString::fromStdString(name),
                                  QString::fromStdString(image.sha256), m_release->sha256)
                             .toStdString()));
    return false;
}

bool UpdateRun::moveTo(Stage next) {
    const Stage from = m_state.stage();
    if (!m_state.moveTo(next))
        return false;
    emit stageChanged(from, next);
    return true;
}

void UpdateRun::launch(Stage stage, const UpdateTask& task) {
    if (!moveTo(stage))
        return;
    m_checkOutput.clear();
    createProcess(task);
    if (stage == Stage::CheckingModule) {
        writeToLog(LogTexts::checkingModule + task.commandLine() + "\n");
    } else {
        emit writingStarted();
        writeToLog(LogTexts::updateHeader(m_product->title(), task));
    }
    // A tool that cannot start reports it through errorOccurred, possibly before start()
    // returns; everything it needs is in place by now.
    m_process->start(QIODevice::ReadOnly);
}

void UpdateRun::moduleChecked(const ToolEnd& checkEnd) {
    const ModuleVerdict verdict = m_product->judgeModule(
        std::string_view(m_checkOutput.constData(), std::size_t(m_checkOutput.size())), checkEnd);
    switch (verdict.kind) {
    case ModuleVerdict::Kind::Fits:
        launch(Stage::Writing, m_writeTask);
        return;
    case ModuleVerdict::Kind::Mismatch:
        end(ToolEnd::refused(verdict.reason));
        return;
    case ModuleVerdict::Kind::Unread:
        end(ToolEnd::moduleCheckFailed(checkEnd.exitStatus, verdict.reason, verdict.logReason));
        return;
    }
}

void UpdateRun::createProcess(const UpdateTask& task) {
    // The previous process may be the one whose finished() led here, so it is let go later.
    if (m_process) {
        m_process->disconnect(this);
        m_process.release()->deleteLater();
    }
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(fromStd(task.launchPath));
    m_process->setArguments(argumentList(task));
    m_process->setProcessEnvironment(environmentOf(task));
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // Nobody answers a tool that asks a question; it reads end of input instead of waiting.
    m_process->setStandardInputFile(QProcess::nullDevice());
    // A group of its own, so that Stop reaches whatever the tool starts, and a Ctrl-C at the
    // terminal reaches the tool only through Stop.
    m_process->setChildProcessModifier([] { ::setpgid(0, 0); });
    // The tool leads its group from exec on; the id is kept for the leftovers after it ends.
    connect(m_process.get(), &QProcess::started, this, [this] {
        m_toolGroup = pid_t(m_process->processId());
        // Stop came while the tool was still being started.
        if (m_state.isStopping())
            signalToolGroup(SIGTERM);
    });
    connect(m_process.get(), &QProcess::readyReadStandardOutput, this, &UpdateRun::readOutput);
    connect(m_process.get(), &QProcess::finished, this, &UpdateRun::processFinished);
    connect(m_process.get(), &QProcess::errorOccurred, this, &UpdateRun::processError);
}

void UpdateRun::readOutput() {
    // One read, one log text: each chunk reaches the log whole and in order.
    const QByteArray chunk = m_process->readAllStandardOutput();
    if (chunk.isEmpty())
        return;
    // The signature's few lines are all the check needs; a flood would be none of them.
    if (stage() == Stage::CheckingModule && m_checkOutput.size() < 65536)
        m_checkOutput += chunk;
    emit outputChunk(chunk);
    const std::string_view bytes(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    if (m_text.isIdle() && isValidUtf8(bytes)) {
        emit logText(chunk);
        return;
    }
    std::string text;
    m_text.decode(bytes, text);
    if (!text.empty())
        emit logText(QByteArray::fromStdString(text));
}

void UpdateRun::drainOutput() {
    if (m_process->bytesAvailable() > 0)
        readOutput();
    std::string rest;
    m_text.finish(rest);
    if (!rest.empty())
        emit logText(QByteArray::fromStdString(rest));
}

void UpdateRun::processFinished(int exitCode, QProcess::ExitStatus exitStatus) {
    if (!isBusy())
        return;
    // Everything the tool wrote comes before the verdict.
    drainOutput();
    // Whatever the tool started goes with it.
    signalToolGroup(SIGKILL);
    m_toolGroup = 0;
    const bool stopped = m_state.isStopping();
    const ToolEnd toolEnd =
        ToolEnd::fromExit(exitStatus == QProcess::NormalExit, exitCode, stopped);
    // However the module check ended after a Stop, its output is not judged: the write that
    // could follow is what Stop is there to prevent.
    if (stopped && m_stoppedIn == Stage::CheckingModule)
        end(ToolEnd::stoppedBeforeWriting());
    else if (stage() == Stage::CheckingModule)
        moduleChecked(toolEnd);
    else
        end(toolEnd);
}

void UpdateRun::processError(QProcess::ProcessError error) {
    // A crash is followed by finished(), which gives the verdict; a tool that never started
    // gets no finished() at all.
    if (error != QProcess::FailedToStart || !isBusy())
        return;
    drainOutput();
    end(ToolEnd::couldNotRun(startFailureReason(*m_process).toStdString()));
}

void UpdateRun::stop() {
    if (!isBusy())
        return;
    const bool toolRuns = m_process && m_process->state() != QProcess::NotRunning;
    if (m_state.isStopping()) {
        if (toolRuns)
            signalToolGroup(SIGKILL);
        return;
    }
    m_stoppedIn = stage();
    moveTo(Stage::Stopping);
    if (m_stoppedIn == Stage::Downloading) {
        // Nothing of it is left: the temporary file goes with the stopped download.
        m_download->disconnect(this);
        m_download->stop();
        end(ToolEnd::stoppedWhileDownloading());
        return;
    }
    if (!toolRuns) {
        end(ToolEnd::stoppedBeforeWriting());
        return;
    }
    signalToolGroup(SIGTERM);
    m_killTimer.start(m_gracePeriod);
}

void UpdateRun::signalToolGroup(int signal) {
    if (m_toolGroup > 0)
        ::kill(-m_toolGroup, signal);
}

void UpdateRun::end(const ToolEnd& toolEnd) {
    if (!UpdateState::allows(stage(), Stage::Ended))
        return;
    const FamilyProfile& profile = m_product ? m_product->profile() : FamilyProfile::none();
    for (const std::string& text : profile.verdictTexts(toolEnd))
        writeToLog(text);
    m_killTimer.stop();
    m_image.reset();
    moveTo(Stage::Ended);
    emit finished(toolEnd);
}

void UpdateRun::writeToLog(const std::string& text) {
    emit logText(QByteArray::fromStdString(text));
}

} // namespace modflash
