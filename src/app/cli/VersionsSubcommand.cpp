#include "VersionsSubcommand.h"

#include "CommandContext.h"
#include "ExitStatus.h"
#include "Output.h"
#include "Request.h"
#include "UsageError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace modflash::cli {

QString VersionsSubcommand::name() const {
    return "versions";
}

QString VersionsSubcommand::synopsis() const {
    return "PRODUCT [--json]";
}

QString VersionsSubcommand::summary() const {
    return "the firmware versions of a product, one a line";
}

QString VersionsSubcommand::description() const {
    return "Lists the versions of PRODUCT's firmware images in the order the version list shows "
           "them. PRODUCT is a title exactly as written or its page name (uTessary, Bruve).";
}

QList<QCommandLineOption> VersionsSubcommand::options() const {
    return {{"json", "Print a JSON array of {version, path}."}};
}

int VersionsSubcommand::run(const Request& request, CommandContext& context) const {
    if (request.arguments.isEmpty())
        throw UsageError("versions needs a PRODUCT; run \"modflash-cli products\" to list them");
    if (request.arguments.size() > 1)
        throw UsageError("versions takes one PRODUCT, but \"" +
                         request.arguments.at(1).toStdString() +
                         "\" was given too; put a title with spaces in quotes");

    const ProductPtr product = context.requireProduct(request.arguments.front());
    const auto images = product->getAllFirmware(context.resources());
    if (!request.isSet("json")) {
        for (const FirmwarePtr& firmware : images)
            context.output().line(firmware->version());
        return ExitStatus::success;
    }
    QJsonArray array;
    for (const FirmwarePtr& firmware : images) {
        array.append(QJsonObject{
            {"version", QString::fromStdString(firmware->version())},
            {"path", QString::fromStdString(firmware->path())},
        });
    }
    context.output().json(QJsonDocument(array));
    return ExitStatus::success;
}

} // namespace modflash::cli
