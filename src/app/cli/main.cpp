// SPDX-License-Identifier: GPL-3.0-or-later
// modflash-cli: lists what modflash offers, shows the commands its updates run, and runs them.
#include "app/cli/CliText.h"
#include "app/cli/CommandContext.h"
#include "app/cli/CommandLine.h"
#include "app/cli/ExitStatus.h"
#include "app/cli/Output.h"
#include "app/cli/Refusal.h"
#include "app/cli/Request.h"
#include "app/cli/RunPreferences.h"
#include "app/cli/Subcommands.h"
#include "app/cli/UsageError.h"
#include "flashing/MissingResourceError.h"
#include "flashing/Utf8.h"
#include "update/SettingsPreferences.h"
#include "update/UserLanguage.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace modflash::cli {

namespace {

// Arguments reach the program as text, decoded as UTF-8: a file name that is not UTF-8 would
// come out naming another file, so such an argument is refused before anything else.
void requireUtf8Arguments(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (!isValidUtf8(argv[i]))
            throw UsageError(
                CliText::tr("argument %1 (\"%2\") is not valid UTF-8; rename the file it names")
                    .arg(QString::number(i), QString::fromLocal8Bit(argv[i]))
                    .toStdString());
}

ResourceDirectory chooseResources(const Request& request) {
    if (request.resourceDirectory.isEmpty())
        return ResourceDirectory::forExecutable(
            QCoreApplication::applicationFilePath().toStdString());
    // A mistyped directory would otherwise look like one without any firmware.
    if (!QFileInfo(request.resourceDirectory).isDir())
        throw UsageError(CliText::tr("no directory \"%1\" for --resources; give the path of a "
                                     "resource directory")
                             .arg(request.resourceDirectory)
                             .toStdString());
    return ResourceDirectory(request.resourceDirectory.toStdString());
}

int runRequest(const Request& request, Output& output) {
    if (request.action == Request::Action::ShowText) {
        output.text(request.text);
        return ExitStatus::success;
    }
    // The store the window keeps its preferences in; this program only reads it.
    const SettingsPreferences stored;
    const RunPreferences preferences(stored, request.overrides);
    CommandContext context(chooseResources(request), preferences, request.feed, output);
    return request.subcommand->run(request, context);
}

// Every failure becomes a one-line message and the documented exit status.
int run(int argc, char* argv[], Output& output) {
    int status = ExitStatus::success;
    try {
        requireUtf8Arguments(argc, argv);
        status = runRequest(CommandLine::parse(QCoreApplication::arguments()), output);
    } catch (const UsageError& error) {
        output.error(error.what());
        return ExitStatus::usage;
    } catch (const Refusal& refusal) {
        output.error(refusal.what());
        return ExitStatus::refused;
    } catch (const std::exception& error) {
        output.error(CliText::tr("the command cannot be built: %1")
                         .arg(QString::fromStdString(error.what()))
                         .toStdString());
        return ExitStatus::cannotBuild;
    }
    if (!output.finish())
        return ExitStatus::cannotBuild;
    return status;
}

} // namespace

} // namespace modflash::cli

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("modflash-cli");
    QCoreApplication::setApplicationVersion(MODFLASH_VERSION);
    const modflash::UserLanguage translations;

    modflash::cli::Output output;
    return modflash::cli::run(argc, argv, output);
}
