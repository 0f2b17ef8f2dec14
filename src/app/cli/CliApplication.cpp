#include "CliApplication.h"

#include "CommandContext.h"
#include "CommandLine.h"
#include "ExitStatus.h"
#include "MissingResourceError.h"
#include "Output.h"
#include "Request.h"
#include "RunPreferences.h"
#include "SettingsPreferences.h"
#include "Subcommand.h"
#include "SubcommandTable.h"
#include "UsageError.h"

#include <QFileInfo>

namespace modflash::cli {

namespace {

ResourceDirectory chooseResources(const Request& request, const QString& executablePath) {
    if (request.resourceDirectory.isEmpty())
        return ResourceDirectory::forExecutable(executablePath.toStdString());
    // A mistyped directory would otherwise look like one without any firmware.
    if (!QFileInfo(request.resourceDirectory).isDir())
        throw UsageError("no directory \"" + request.resourceDirectory.toStdString() +
                         "\" for --resources; give the path of a resource directory");
    return ResourceDirectory(request.resourceDirectory.toStdString());
}

} // namespace

CliApplication::CliApplication(QString executablePath, Output& output)
    : m_executablePath(std::move(executablePath))
    , m_output(output) {}

int CliApplication::runRequest(const Request& request) {
    if (request.action == Request::Action::ShowText) {
        m_output.text(request.text);
        return ExitStatus::success;
    }
    ResourceDirectory resources = chooseResources(request, m_executablePath);
    // The store the window keeps its preferences in; this program only reads it.
    const SettingsPreferences stored;
    const RunPreferences preferences(stored, request.overrides);
    CommandContext context(std::move(resources), preferences, m_output);
    return request.subcommand->run(request, context);
}

int CliApplication::run(const QStringList& arguments) {
    int status = ExitStatus::success;
    try {
        const SubcommandTable subcommands;
        status = runRequest(CommandLine(subcommands).parse(arguments));
    } catch (const UsageError& error) {
        m_output.error(error.what());
        return ExitStatus::usage;
    } catch (const MissingResourceError& error) {
        m_output.error(std::string("the command cannot be built: ") + error.what());
        return ExitStatus::cannotBuild;
    } catch (const std::exception& error) {
        m_output.error(std::string("the command cannot be built: ") + error.what());
        return ExitStatus::cannotBuild;
    }
    if (!m_output.flush()) {
        m_output.error("could not write the output");
        return ExitStatus::cannotBuild;
    }
    return status;
}

} // namespace modflash::cli
