// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpdateTarget.h"

#include "CommandContext.h"
#include "FamilyProfile.h"
#include "Refusal.h"
#include "Request.h"
#include "Subcommands.h"
#include "UsageError.h"

#include <QFile>
#include <QFileInfo>

namespace modflash::cli {

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string listVersionsHint(const Product& product) {
    return "run \"modflash-cli versions " + product.pageName() + "\" to list them";
}

FirmwarePtr firmwareForVersion(const Product& product, const QString& typed,
                               const CommandContext& context) {
    const std::string version = typed.toStdString();
    std::vector<FirmwarePtr> matches;
    for (const FirmwarePtr& firmware : product.getAllFirmware(context.resources()))
        if (firmware->version() == version)
            matches.push_back(firmware);
    if (matches.size() == 1)
        return matches.front();
    if (matches.empty())
        throw UsageError("no version " + quoted(version) + " of " + quoted(product.title()) + "; " +
                         listVersionsHint(product));
    // Taking the first would write an image the person may not have meant.
    std::string files;
    for (const FirmwarePtr& firmware : matches)
        files += (files.empty() ? "" : ", ") + quoted(firmware->path());
    throw UsageError("version " + quoted(version) + " of " + quoted(product.title()) +
                     " names more than one image: " + files +
                     "; choose one with --file PATH (with --factory)");
}

FirmwarePtr firmwareForFile(const Product& product, const QString& path,
                            const CommandContext& context) {
    if (!context.factoryFirmwareEnabled())
        throw UsageError("--file needs factory firmware enabled; add --factory to enable it for "
                         "this run");
    const QFileInfo file(path);
    const std::string shown = quoted(path.toStdString());
    if (!file.exists())
        throw UsageError("no file " + shown + "; give the path of a firmware image");
    if (!file.isFile())
        throw UsageError(shown + " is not a file; give the path of a firmware image");
    if (!product.profile().acceptsFileName(file.fileName().toStdString()))
        throw UsageError(shown + " is not a ." + product.firmwareExtension() +
                         " file, the image type of " + quoted(product.title()) + "; give a ." +
                         product.firmwareExtension() + " file");
    return Firmware::firmwareWithPath(QFile::encodeName(file.absoluteFilePath()).toStdString(), "");
}

} // namespace

QCommandLineOption UpdateTarget::forceOption() {
    return {"force",
            "Write an image that only a plausibility rule refuses (its vector table, its size); "
            "needs factory firmware enabled. A malformed image is never written."};
}

ImageReport UpdateTarget::checkImage(const CommandContext& context) const {
    const std::string& path = firmware->path();
    return product->checkImage(path, context.connectedFlash(*product),
                               path.substr(path.rfind('/') + 1));
}

bool UpdateTarget::mayForce(const Request& request, const CommandContext& context) {
    return request.isSet("force") && context.factoryFirmwareEnabled();
}

void UpdateTarget::requireWritable(const Request& request, const CommandContext& context) const {
    const ImageReport report = checkImage(context);
    if (report.accepted() || (report.mayBeConfirmed() && mayForce(request, context)))
        return;
    std::string reason = report.reason;
    if (report.mayBeConfirmed())
        reason += "; to write it all the same, add --force --factory";
    throw Refusal(reason);
}

QCommandLineOption UpdateTarget::fileOption() {
    return {"file",
            "Use the image file PATH instead of a VERSION (needs factory firmware enabled).",
            "PATH"};
}

UpdateTarget UpdateTarget::fromRequest(const Request& request, const CommandContext& context) {
    const std::string name = request.subcommand->name.toStdString();
    const QStringList& arguments = request.arguments;
    if (arguments.isEmpty())
        throw UsageError(name + " needs a PRODUCT and a VERSION (or --file PATH); run "
                                "\"modflash-cli products\" to list the products");
    if (arguments.size() > 2)
        throw UsageError(name + " takes a PRODUCT and a VERSION, but " +
                         quoted(arguments.at(2).toStdString()) +
                         " was given too; put a title with spaces in quotes");

    UpdateTarget target;
    target.product = context.requireProduct(arguments.front());
    const bool fromFile = request.isSet("file");
    if (fromFile && arguments.size() == 2)
        throw UsageError("give either a VERSION or --file PATH, not both");
    if (!fromFile && arguments.size() == 1)
        throw UsageError(name + " needs a VERSION of " + quoted(target.product->title()) +
                         " or --file PATH; " + listVersionsHint(*target.product));

    target.firmware = fromFile ? firmwareForFile(*target.product, request.value("file"), context)
                               : firmwareForVersion(*target.product, arguments.at(1), context);
    return target;
}

} // namespace modflash::cli
