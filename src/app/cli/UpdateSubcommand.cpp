#include "UpdateSubcommand.h"

#include "CommandContext.h"
#include "ExitStatus.h"
#include "Output.h"
#include "ProgressLine.h"
#include "Request.h"
#include "SleepInhibitor.h"
#include "StopSignals.h"
#include "UpdateRun.h"
#include "UpdateStatus.h"
#include "UpdateTarget.h"

#include <QEventLoop>

#include <memory>

#include <unistd.h>

namespace modflash::cli {

namespace {

int exitStatusFor(UpdateRun::Outcome outcome) {
    switch (outcome) {
    case UpdateRun::Outcome::Succeeded:
        return ExitStatus::success;
    case UpdateRun::Outcome::ToolFailed:
        return ExitStatus::toolFailed;
    case UpdateRun::Outcome::CouldNotRun:
        break;
    }
    return ExitStatus::couldNotRun;
}

} // namespace

QString UpdateSubcommand::name() const {
    return "update";
}

QString UpdateSubcommand::synopsis() const {
    return "PRODUCT (VERSION | --file PATH)";
}

QString UpdateSubcommand::summary() const {
    return "write the firmware onto the module (runs the command)";
}

QString UpdateSubcommand::description() const {
    return "Writes VERSION of PRODUCT (or the image file PATH) onto the module by running the "
           "command that \"modflash-cli command\" shows, and prints what the window's log "
           "shows: the command, the tool's output as it arrives and the verdict. Ctrl-C or "
           "SIGTERM asks the tool to end and the verdict follows; a second one, or 5 seconds "
           "without an end, kills the tool. While the tool runs, the machine is kept from "
           "suspending, and when standard output and standard error are both a terminal, a "
           "line on standard error shows the tool's phase and progress.\n"
           "\n"
           "Exit status: 0 the update completed; 1 the tool failed; 2 the update could not run "
           "(a resource is missing or the tool cannot start; the reason is on standard error); "
           "64 a usage mistake.";
}

QList<QCommandLineOption> UpdateSubcommand::options() const {
    return {UpdateTarget::fileOption()};
}

int UpdateSubcommand::run(const Request& request, CommandContext& context) const {
    const UpdateTarget target = UpdateTarget::fromRequest(request, context, name());
    Output& output = context.output();

    UpdateRun run;
    ProgressLine progressLine(STDOUT_FILENO, stderr);
    // Reading progress costs a pass over every byte; only a person at a terminal sees it.
    std::unique_ptr<UpdateStatus> updateStatus;
    if (progressLine.isEnabled())
        updateStatus = std::make_unique<UpdateStatus>(run);
    // A machine that suspends in the middle of a write leaves the module without firmware.
    SleepInhibitor sleepInhibitor;
    const StopSignals stopSignals([&run] { run.stop(); });
    QEventLoop loop;
    int status = ExitStatus::couldNotRun;
    QObject::connect(&run, &UpdateRun::logText, &run, [&](const QString& text) {
        progressLine.beforeLog();
        output.text(text);
        output.flush();
        progressLine.afterLog(text);
    });
    if (updateStatus) {
        QObject::connect(updateStatus.get(), &UpdateStatus::changed, &run, [&] {
            // Nothing until the tool's output names a phase: before that there is nothing to show.
            if (updateStatus->hasEnded() || updateStatus->progress().phase.empty())
                progressLine.clear();
            else
                progressLine.show(updateStatus->bannerText());
        });
    }
    QObject::connect(&run, &UpdateRun::runningChanged, &run, [&](bool running) {
        if (running)
            sleepInhibitor.acquire();
    });
    QObject::connect(&run, &UpdateRun::finished, &run, [&](UpdateRun::Outcome outcome) {
        sleepInhibitor.release();
        progressLine.clear();
        status = exitStatusFor(outcome);
        loop.quit();
    });

    run.start(target.product, target.firmware, context.resources(), context.preferences());
    // A command that cannot be built ends the update inside start().
    if (run.isBusy())
        loop.exec();
    return status;
}

} // namespace modflash::cli
