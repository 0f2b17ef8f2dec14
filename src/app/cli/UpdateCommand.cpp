// SPDX-License-Identifier: GPL-3.0-or-later
// modflash-cli update: runs the flashing command through the update session and prints what the
// window's log shows, as it happens.
#include "app/cli/CliText.h"
#include "app/cli/CommandContext.h"
#include "app/cli/ExitStatus.h"
#include "app/cli/Output.h"
#include "app/cli/ProgressLine.h"
#include "app/cli/Request.h"
#include "app/cli/Subcommands.h"
#include "app/cli/UpdateTarget.h"
#include "update/StopSignals.h"
#include "update/UpdateSession.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace modflash::cli {

namespace {

int exitStatusFor(const ToolEnd& end) {
    switch (end.kind) {
    case ToolEnd::Kind::Completed:
        return ExitStatus::success;
    case ToolEnd::Kind::CouldNotRun:
        return ExitStatus::couldNotRun;
    case ToolEnd::Kind::Refused:
        return ExitStatus::refused;
    case ToolEnd::Kind::Unreachable:
        return ExitStatus::unavailable;
    case ToolEnd::Kind::Failed:
    case ToolEnd::Kind::Crashed:
    case ToolEnd::Kind::Stopped:
        break;
    }
    return ExitStatus::toolFailed;
}

void connectOutput(UpdateSession& session, Output& output, ProgressLine& progressLine) {
    QObject::connect(&session, &UpdateSession::logText, &session, [&](const QByteArray& text) {
        progressLine.beforeLog();
        output.bytes(text);
        progressLine.afterLog(text);
    });
    QObject::connect(&session, &UpdateSession::bannerChanged, &session, [&] {
        // Nothing until the tool's output names a phase, and nothing after the verdict.
        if (session.isBusy() && session.progress().phase != Phase::Starting)
            progressLine.show(QString::fromStdString(session.banner().text));
        else
            progressLine.clear();
    });
}

std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

} // namespace

int runUpdate(const Request& request, CommandContext& context) {
    const UpdateTarget target = UpdateTarget::fromRequest(request, context);
    // Nothing runs for an image the checks refuse; the run checks it again before writing.
    target.requireWritable(request, context);
    UpdateOptions options;
    options.checkModule = context.moduleCheckEnabled();
    options.allowImplausible = UpdateTarget::mayForce(request, context);
    options.connectedFlash = context.connectedFlash(*target.product);
    options.networkAllowed = !context.feed().isOffline();
    Output& output = context.output();
    output.writeInBackground();

    UpdateSession session;
    ProgressLine progressLine(STDOUT_FILENO, STDERR_FILENO, output);
    // Reading progress costs a pass over every byte; only a person at a terminal sees it.
    session.setReadsProgress(progressLine.isEnabled());
    connectOutput(session, output, progressLine);

    QEventLoop loop;
    bool waitingForOutput = false;
    const StopSignals stopSignals([&](int) {
        // While the tool runs, a signal stops it; once only the output is left, it ends the
        // wait for a reader that may never read.
        if (waitingForOutput)
            loop.quit();
        else
            session.stop();
    });
    ToolEnd end;
    QObject::connect(&session, &UpdateSession::finished, &loop, [&](const ToolEnd& ended) {
        end = ended;
        progressLine.clear();
        loop.quit();
    });

    if (!session.start(target.product, target.offer, context.resources(), context.preferences(),
                       options)) {
        const std::optional<UpdateLock::Holder>& other = session.blockingUpdate();
        output.error(other ? other->reason().toStdString()
                           : CliText::tr("another update is running").toStdString());
        output.writeInForeground();
        output.finish();
        return ExitStatus::busy;
    }
    // A command that cannot be built ends the update inside start().
    if (session.isBusy())
        loop.exec();

    // What the window's banner says, the verdict and what to try, after everything the tool
    // printed: the one line a person or a script reads on standard error.
    if (!end.succeeded())
        output.error(oneLine(session.banner().text));
    output.setIdleCallback(
        [&loop] { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); });
    if (!output.isIdle()) {
        waitingForOutput = true;
        loop.exec();
    }
    output.setIdleCallback({});
    const int status =
        stopSignals.firstSignal() ? 128 + stopSignals.firstSignal() : exitStatusFor(end);
    if (!output.isIdle())
        std::_Exit(status); // the rest of the output has no reader; nothing else is pending
    output.writeInForeground();
    output.finish();
    return status;
}

} // namespace modflash::cli
