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
#include "feed/FirmwareSources.h"
#include "flashing/CheckText.h"
#include "flashing/FamilyProfile.h"
#include "flashing/UpdateTask.h"
#include "flashing/Wording.h"

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

QJsonObject describe(const Product& product, bool offered, const CommandContext& context) {
    return {
        {"title", fromStd(product.title())},
        {"family", fromStd(product.profile().name())},
        {"prefix", fromStd(product.prefix())},
        {"chip", fromStd(product.chipName())},
        {"factoryOnly", product.factoryOnly()},
        {"offered", offered},
        {"versions", static_cast<qint64>(context.sources().offers(product).size())},
    };
}

QString firmwareDirectory(const CommandContext& context) {
    return fromStd(context.resources().resourcePath() + "/firmware");
}

// Why products lists nothing, for a person who expected their module there.
std::string whyNothingIsOffered(const CommandContext& context,
                                const feed::FirmwareSources::Listing& images) {
    const std::string& root = context.resources().resourcePath();
    if (!std::filesystem::is_directory(root))
        return CliText::tr(
                   "no product is offered: the resource directory \u201c%1\u201d is missing; "
                   "install modflash again or give --resources DIR")
            .arg(fromStd(root))
            .toStdString();
    for (const ProductPtr& product : context.catalogue().products())
        if (product->factoryOnly() && images.hasImages(*product))
            return CliText::tr("no product is offered: the images in \u201c%1\u201d are all for "
                               "factory-only products, which --factory offers")
                .arg(firmwareDirectory(context))
                .toStdString();
    return CliText::tr(
               "no product is offered: there are no firmware images in \u201c%1\u201d or "
               "\u201c%2\u201d, nor from a feed; they come from your module's maker (products "
               "--all lists every product)")
        .arg(firmwareDirectory(context), context.sources().userFirmwareDirectory())
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

QJsonObject describe(const feed::FirmwareOffer& offer, const std::set<std::string>& samples) {
    QJsonObject object{{"version", fromStd(offer.version())},
                       {"source", feed::FirmwareOffer::sourceName(offer.source)}};
    if (offer.firmware) {
        const std::string& path = offer.firmware->path();
        object.insert("path", fromStd(path));
        object.insert("sample", offer.source == feed::FirmwareSource::Bundled &&
                                    samples.contains(path.substr(path.rfind('/') + 1)));
    }
    if (const std::optional<feed::FeedRelease>& release = offer.release) {
        object.insert("size", release->size);
        object.insert("sha256", release->sha256);
        object.insert("date", release->date.toString(Qt::ISODate));
        object.insert("notes", release->notes);
        object.insert("url", release->url.toString());
    }
    return object;
}

} // namespace

int listProducts(const Request& request, CommandContext& context) {
    if (!request.arguments.isEmpty())
        throw UsageError(CliText::tr("products takes no arguments, but %1 was given; run "
                                     "\"modflash-cli products --help\" for its usage")
                             .arg(CliText::quoted(request.arguments.front()))
                             .toStdString());
    const bool all = request.isSet("all");
    const bool json = request.isSet("json");
    // One read of each firmware folder: a large folder is read once, not once per product.
    const feed::FirmwareSources::Listing images = context.sources().listing();
    QJsonArray array;
    bool anyOffered = false;
    for (const ProductPtr& product : context.catalogue().products()) {
        const bool offered = context.isOffered(*product, images);
        anyOffered = anyOffered || offered;
        if (!all && !offered)
            continue;
        if (json)
            array.append(describe(*product, offered, context));
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
            CliText::tr("versions needs a PRODUCT; run \"modflash-cli products\" to list them")
                .toStdString());
    if (request.arguments.size() > 1)
        throw UsageError(
            CliText::tr("versions takes one PRODUCT, but %1 was given too; put a title "
                        "with spaces in quotes")
                .arg(CliText::quoted(request.arguments.at(1)))
                .toStdString());
    const ProductPtr product = context.requireProduct(request.arguments.front());
    std::vector<std::string> leftOut;
    const auto offers = context.sources().offers(*product, &leftOut);
    for (const std::string& name : leftOut)
        context.output().error(
            CliText::tr("left out %1: its file name is not valid UTF-8; rename the file")
                .arg(CliText::quoted(fromStd(name)))
                .toStdString());
    if (offers.empty())
        context.output().error(
            CliText::tr("\u201c%1\u201d has no firmware images in \u201c%2\u201d or "
                        "\u201c%3\u201d, nor from a feed; its images are named "
                        "\u201c%4<version>.%5\u201d")
                .arg(fromStd(product->title()), firmwareDirectory(context),
                     context.sources().userFirmwareDirectory(), fromStd(product->prefix()),
                     fromStd(product->firmwareExtension()))
                .toStdString());
    if (!request.isSet("json")) {
        for (const feed::FirmwareOffer& offer : offers)
            context.output().line(offer.version());
        return ExitStatus::success;
    }
    const std::set<std::string> samples = context.resources().sampleImageNames();
    QJsonArray array;
    for (const feed::FirmwareOffer& offer : offers)
        array.append(describe(offer, samples));
    context.output().json(QJsonDocument(array));
    return ExitStatus::success;
}

int showCommand(const Request& request, CommandContext& context) {
    if (request.isSet("json") && request.isSet("shell"))
        throw UsageError(CliText::tr("--json and --shell are two ways to print the command; "
                                     "give only one")
                             .toStdString());
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
    UpdateTarget target = UpdateTarget::fromRequest(request, context);
    // A feed image is checked as it is here, downloaded or found intact in the cache.
    if (const int fetched = target.fetch(context); fetched != ExitStatus::success)
        return fetched;
    // Scripts read the JSON report: its words stay English, whatever the user's language.
    const bool json = request.isSet("json");
    const ImageReport report =
        target.checkImage(context, json ? Wording::english() : Wording::user());
    const bool writable =
        report.accepted() || (report.mayBeConfirmed() && UpdateTarget::mayForce(request, context));
    const std::string& path = target.firmware->path();
    Output& out = context.output();
    if (json) {
        out.json(QJsonDocument(describe(path, report)));
        return writable ? ExitStatus::success : ExitStatus::refused;
    }
    out.line(CliText::tr("Image: %1").arg(fromStd(path)));
    out.line(CliText::tr("Format: %1").arg(fromStd(report.format)));
    out.line(CliText::tr("Size: %1").arg(fromStd(Wording::user().bytes(report.fileSize))));
    if (report.addresses)
        out.line(CliText::tr("Addresses: %1 to %2")
                     .arg(hex(report.addresses->start), hex(report.addresses->end - 1)));
    if (!report.sha256.empty())
        out.line("SHA-256: " + report.sha256);
    for (const ImageReport::Check& check : report.checks)
        out.line((check.passed ? CliText::tr("  passed  %1: %2") : CliText::tr("  FAILED  %1: %2"))
                     .arg(fromStd(check.name), fromStd(check.detail)));
    out.line(writable ? CliText::tr("Verdict: it would be written")
                      : CliText::tr("Verdict: refused: %1").arg(fromStd(report.reason)));
    return writable ? ExitStatus::success : ExitStatus::refused;
}

} // namespace modflash::cli
