// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands that only show: products, versions and the command an update would run.
#include "app/cli/CliText.h"
#include "app/cli/CommandContext.h"
#include "app/cli/ExitStatus.h"
#include "app/cli/Output.h"
#include "app/cli/Request.h"
#include "app/cli/ShellLine.h"
#include "app/cli/Subcommands.h"
#include "app/cli/UpdateTarget.h"
#include "app/cli/UsageError.h"
#include "catalogue/ImageListing.h"
#include "flashing/CheckText.h"
#include "flashing/FamilyProfile.h"
#include "flashing/UpdateTask.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <set>

namespace modflash::cli {

namespace {

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

std::string quoted(const QString& text) {
    return "\"" + text.toStdString() + "\"";
}

QJsonObject describe(const Product& product, bool offered, const ImageListing& images) {
    return {
        {"title", fromStd(product.title())},
        {"family", fromStd(product.profile().name())},
        {"prefix", fromStd(product.prefix())},
        {"chip", fromStd(product.chipName())},
        {"factoryOnly", product.factoryOnly()},
        {"offered", offered},
        {"versions", static_cast<qint64>(images.imageCount(product))},
    };
}

QString firmwareDirectory(const CommandContext& context) {
    return fromStd(context.resources().resourcePath() + "/firmware");
}

// Why products lists nothing, for a person who expected their module there.
std::string whyNothingIsOffered(const CommandContext& context, const ImageListing& images) {
    const std::string& root = context.resources().resourcePath();
    if (!std::filesystem::is_directory(root))
        return CliText::tr(
                   "no product is offered: the resource directory \u201c%1\u201d is missing; "
                   "install modflash again or give --resources DIR")
            .arg(fromStd(root))
            .toStdString();
    for (const ProductPtr& product : context.catalogue().products())
        if (product->factoryOnly() && images.hasFirmware(*product))
            return CliText::tr("no product is offered: the images in \u201c%1\u201d are all for "
                               "factory-only products, which --factory offers")
                .arg(firmwareDirectory(context))
                .toStdString();
    return CliText::tr(
               "no product is offered: there are no firmware images in \u201c%1\u201d; they "
               "come from your module's maker (products --all lists every product)")
        .arg(firmwareDirectory(context))
        .toStdString();
}

QJsonObject describe(const UpdateTask& task) {
    QJsonArray arguments;
    for (const std::string& argument : task.arguments)
        arguments.append(fromStd(argument));
    QJsonObject environment;
    for (const auto& [name, value] : task.environment)
        environment.insert(fromStd(name), fromStd(value));
    return {{"program", fromStd(task.launchPath)},
            {"arguments", arguments},
            {"environment", environment}};
}

} // namespace

int listProducts(const Request& request, CommandContext& context) {
    if (!request.arguments.isEmpty())
        throw UsageError(CliText::tr("products takes no arguments, but %1 was given; run "
                                     "\"modflash-cli products --help\" for its usage")
                             .arg(fromStd(quoted(request.arguments.front())))
                             .toStdString());
    const bool all = request.isSet("all");
    const bool json = request.isSet("json");
    // The window's one read of the firmware directory: a large directory is read once, not
    // once per product.
    const ImageListing images(context.resources());
    QJsonArray array;
    bool anyOffered = false;
    for (const ProductPtr& product : context.catalogue().products()) {
        const bool offered = context.isOffered(*product, images);
        anyOffered = anyOffered || offered;
        if (!all && !offered)
            continue;
        if (json)
            array.append(describe(*product, offered, images));
        else
            context.output().line(product->title());
    }
    if (!all && !anyOffered)
        context.output().error(whyNothingIsOffered(context, images));
    if (json)
        context.output().json(QJsonDocument(array));
    return ExitStatus::success;
}

int listVersions(const Request& request, CommandContext& context) {
    if (request.arguments.isEmpty())
        throw UsageError(
            CliText::text("versions needs a PRODUCT; run \"modflash-cli products\" to list them"));
    if (request.arguments.size() > 1)
        throw UsageError(
            CliText::tr("versions takes one PRODUCT, but %1 was given too; put a title "
                        "with spaces in quotes")
                .arg(fromStd(quoted(request.arguments.at(1))))
                .toStdString());
    const ProductPtr product = context.requireProduct(request.arguments.front());
    std::vector<std::string> leftOut;
    const auto images = product->getAllFirmware(context.resources(), &leftOut);
    for (const std::string& name : leftOut)
        context.output().error(
            CliText::tr("left out %1: its file name is not valid UTF-8; rename the file")
                .arg(fromStd(quoted(fromStd(name))))
                .toStdString());
    if (images.empty())
        context.output().error(
            CliText::tr("\u201c%1\u201d has no firmware images in \u201c%2\u201d; its "
                        "images are named \u201c%3<version>.%4\u201d")
                .arg(fromStd(product->title()), firmwareDirectory(context),
                     fromStd(product->prefix()), fromStd(product->firmwareExtension()))
                .toStdString());
    if (!request.isSet("json")) {
        for (const FirmwarePtr& firmware : images)
            context.output().line(firmware->version());
        return ExitStatus::success;
    }
    const std::set<std::string> samples = context.resources().sampleImageNames();
    QJsonArray array;
    for (const FirmwarePtr& firmware : images) {
        const std::string& path = firmware->path();
        array.append(QJsonObject{{"version", fromStd(firmware->version())},
                                 {"path", fromStd(path)},
                                 {"sample", samples.contains(path.substr(path.rfind('/') + 1))}});
    }
    context.output().json(QJsonDocument(array));
    return ExitStatus::success;
}

int showCommand(const Request& request, CommandContext& context) {
    if (request.isSet("json") && request.isSet("shell"))
        throw UsageError(CliText::text("--json and --shell are two ways to print the command; "
                                       "give only one"));
    const UpdateTarget target = UpdateTarget::fromRequest(request, context);
    target.requireWritable(request, context);
    const UpdateTask task = target.product->createUpdateTask(*target.firmware, context.resources(),
                                                             context.preferences());
    if (request.isSet("json")) {
        context.output().json(QJsonDocument(describe(task)));
        return ExitStatus::success;
    }
    if (request.isSet("shell")) {
        context.output().line(shellLine(task));
        return ExitStatus::success;
    }
    context.output().line(task.launchPath);
    for (const std::string& argument : task.arguments)
        context.output().line(argument);
    return ExitStatus::success;
}

namespace {

QString hex(std::uint64_t value) {
    return QString::fromStdString(hexAddress(value));
}

QJsonObject describe(const std::string& path, const ImageReport& report) {
    QJsonArray checks;
    for (const ImageReport::Check& check : report.checks)
        checks.append(QJsonObject{{"name", fromStd(check.name)},
                                  {"passed", check.passed},
                                  {"detail", fromStd(check.detail)}});
    QJsonObject object{{"file", fromStd(path)},
                       {"format", fromStd(report.format)},
                       {"size", static_cast<qint64>(report.fileSize)},
                       {"dataBytes", static_cast<qint64>(report.dataBytes)},
                       {"sha256", fromStd(report.sha256)},
                       {"checks", checks},
                       {"verdict", verdictName(report.verdict)},
                       {"reason", fromStd(report.reason)}};
    if (report.addresses)
        // The last address, as the text report and the "Inside the flash" detail give it.
        object.insert("addresses", QJsonObject{{"start", hex(report.addresses->start)},
                                               {"end", hex(report.addresses->end - 1)}});
    return object;
}

} // namespace

int checkImage(const Request& request, CommandContext& context) {
    const UpdateTarget target = UpdateTarget::fromRequest(request, context);
    const ImageReport report = target.checkImage(context);
    const bool writable =
        report.accepted() || (report.mayBeConfirmed() && UpdateTarget::mayForce(request, context));
    const std::string& path = target.firmware->path();
    Output& out = context.output();
    if (request.isSet("json")) {
        out.json(QJsonDocument(describe(path, report)));
    } else {
        out.line("Image: " + path);
        out.line("Format: " + report.format);
        out.line("Size: " + groupedNumber(report.fileSize) + " bytes");
        if (report.addresses)
            out.line("Addresses: " + hexAddress(report.addresses->start) + " to " +
                     hexAddress(report.addresses->end - 1));
        if (!report.sha256.empty())
            out.line("SHA-256: " + report.sha256);
        for (const ImageReport::Check& check : report.checks)
            out.line(std::string(check.passed ? "  passed  " : "  FAILED  ") + check.name +
                     (check.detail.empty() ? "" : ": " + check.detail));
        out.line(writable ? std::string("Verdict: it would be written")
                          : "Verdict: refused: " + report.reason);
    }
    return writable ? ExitStatus::success : ExitStatus::refused;
}

} // namespace modflash::cli
