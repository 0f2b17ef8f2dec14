#include "CommandSubcommand.h"

#include "CommandContext.h"
#include "ExitStatus.h"
#include "Output.h"
#include "Request.h"
#include "UpdateTarget.h"
#include "UpdateTask.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace modflash::cli {

namespace {

QJsonObject describe(const UpdateTask& task) {
    QJsonArray arguments;
    for (const std::string& argument : task.arguments)
        arguments.append(QString::fromStdString(argument));
    QJsonObject environment;
    for (const auto& [name, value] : task.environment)
        environment.insert(QString::fromStdString(name), QString::fromStdString(value));
    return {
        {"program", QString::fromStdString(task.launchPath)},
        {"arguments", arguments},
        {"environment", environment},
    };
}

} // namespace

QString CommandSubcommand::name() const {
    return "command";
}

QString CommandSubcommand::synopsis() const {
    return "PRODUCT (VERSION | --file PATH) [--json]";
}

QString CommandSubcommand::summary() const {
    return "the command an update would run (shown, not run)";
}

QString CommandSubcommand::description() const {
    return "Shows the flashing command an update of PRODUCT with VERSION (or the image file "
           "PATH) would run, without running it: the program on the first line, then one "
           "argument a line. When a resource the command needs is missing, the reason goes to "
           "standard error and the exit status is 1.";
}

QList<QCommandLineOption> CommandSubcommand::options() const {
    return {
        UpdateTarget::fileOption(),
        {"json", "Print a JSON object {program, arguments, environment}."},
    };
}

int CommandSubcommand::run(const Request& request, CommandContext& context) const {
    const UpdateTarget target = UpdateTarget::fromRequest(request, context, name());
    const UpdateTask task = target.product->createUpdateTask(*target.firmware, context.resources(),
                                                             context.preferences());

    if (request.isSet("json")) {
        context.output().json(QJsonDocument(describe(task)));
        return ExitStatus::success;
    }
    context.output().line(task.launchPath);
    for (const std::string& argument : task.arguments)
        context.output().line(argument);
    return ExitStatus::success;
}

} // namespace modflash::cli
