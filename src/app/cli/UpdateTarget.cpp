// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/UpdateTarget.h"

#include "app/cli/CliText.h"
#include "app/cli/CommandContext.h"
#include "app/cli/ExitStatus.h"
#include "app/cli/Output.h"
#include "app/cli/Refusal.h"
#include "app/cli/Request.h"
#include "app/cli/Subcommands.h"
#include "app/cli/UsageError.h"
#include "flashing/FamilyProfile.h"

#include <QFile>
#include <QFileInfo>

namespace modflash::cli {

namespace {

QString quoted(const std::string& text) {
    return CliText::quoted(QString::fromStdString(text));
}

QString listVersionsHint(const Product& product) {
    return CliText::tr("run \"modflash-cli versions %1\" to list them")
        .arg(QString::fromStdString(product.pageName()));
}

QString describe(const feed::FirmwareOffer& offer) {
    const QString where = offer.firmware ? quoted(offer.firmware->path())
                                         : quoted(offer.release->url.toString().toStdString());
    return where + " (" + feed::FirmwareOffer::sourceName(offer.source) + ")";
}

feed::FirmwareOffer offerForVersion(const Product& product, const QString& typed,
                                    const CommandContext& context) {
    const std::string version = typed.toStdString();
    std::vector<feed::FirmwareOffer> matches;
    for (feed::FirmwareOffer& offer : context.sources().offers(product))
        if (offer.version() == version)
            matches.push_back(std::move(offer));
    if (matches.size() == 1)
        return matches.front();
    if (matches.empty())
        throw UsageError(
            CliText::tr("no version %1 of %2; %3")
                .arg(quoted(version), quoted(product.title()), listVersionsHint(product))
                .toStdString());
    // Taking the first would write an image the person may not have meant.
    QStringList images;
    for (const feed::FirmwareOffer& offer : matches)
        images.append(describe(offer));
    throw UsageError(CliText::tr("version %1 of %2 names more than one image: %3; choose one with "
                                 "--file PATH (with --factory)")
                         .arg(quoted(version), quoted(product.title()), images.join(", "))
                         .toStdString());
}

FirmwarePtr firmwareForFile(const Product& product, const QString& path,
                            const CommandContext& context) {
    if (!context.factoryFirmwareEnabled())
        throw UsageError(CliText::tr("--file needs factory firmware enabled; add --factory to "
                                     "enable it for this run")
                             .toStdString());
    const QFileInfo file(path);
    const QString shown = quoted(path.toStdString());
    if (!file.exists())
        throw UsageError(
            CliText::tr("no file %1; give the path of a firmware image").arg(shown).toStdString());
    if (!file.isFile())
        throw UsageError(CliText::tr("%1 is not a file; give the path of a firmware image")
                             .arg(shown)
                             .toStdString());
    if (!product.profile().acceptsFileName(file.fileName().toStdString()))
        throw UsageError(CliText::tr("%1 is not a .%2 file, the image type of %3; give a .%2 file")
                             .arg(shown, QString::fromStdString(product.firmwareExtension()),
                                  quoted(product.title()))
                             .toStdString());
    return Firmware::firmwareWithPath(QFile::encodeName(file.absoluteFilePath()).toStdString(), "");
}

} // namespace

QCommandLineOption UpdateTarget::forceOption() {
    return {"force",
            CliText::tr("Write an image that only a plausibility rule refuses (its vector table, "
                        "its size); needs factory firmware enabled. A malformed image is never "
                        "written.")};
}

int UpdateTarget::fetch(CommandContext& context) {
    if (!offer.release)
        return ExitStatus::success;
    const auto fetched = context.feed().download(
        *offer.release, QString::fromStdString(product->firmwareExtension()));
    if (const auto* failure = std::get_if<feed::FeedFailure>(&fetched)) {
        context.output().error(failure->reason.toStdString());
        return failure->exitStatus();
    }
    firmware = std::make_shared<const Firmware>(std::get<QString>(fetched).toStdString(),
                                                Firmware::KnownVersion{offer.version()});
    return ExitStatus::success;
}

ImageReport UpdateTarget::checkImage(const CommandContext& context, const Wording& wording) const {
    const std::string& path = firmware->path();
    return product->checkImage(path, context.connectedFlash(*product),
                               path.substr(path.rfind('/') + 1), nullptr, wording);
}

bool UpdateTarget::mayForce(const Request& request, const CommandContext& context) {
    return request.isSet("force") && context.factoryFirmwareEnabled();
}

void UpdateTarget::requireWritable(const Request& request, const CommandContext& context) const {
    if (offer.needsDownload())
        return;
    const ImageReport report = checkImage(context);
    if (report.accepted() || (report.mayBeConfirmed() && mayForce(request, context)))
        return;
    std::string reason = report.reason;
    if (report.mayBeConfirmed())
        reason += CliText::tr("; to write it all the same, add --force --factory").toStdString();
    throw Refusal(reason);
}

QCommandLineOption UpdateTarget::fileOption() {
    return {"file",
            CliText::tr("Use the image file PATH instead of a VERSION (needs factory firmware "
                        "enabled)."),
            "PATH"};
}

UpdateTarget UpdateTarget::fromRequest(const Request& request, const CommandContext& context) {
    const QString& name = request.subcommand->name;
    const QStringList& arguments = request.arguments;
    if (arguments.isEmpty())
        throw UsageError(CliText::tr("%1 needs a PRODUCT and a VERSION (or --file PATH); run "
                                     "\"modflash-cli products\" to list the products")
                             .arg(name)
                             .toStdString());
    if (arguments.size() > 2)
        throw UsageError(CliText::tr("%1 takes a PRODUCT and a VERSION, but %2 was given too; put "
                                     "a title with spaces in quotes")
                             .arg(name, quoted(arguments.at(2).toStdString()))
                             .toStdString());

    UpdateTarget target;
    target.product = context.requireProduct(arguments.front());
    const bool fromFile = request.isSet("file");
    if (fromFile && arguments.size() == 2)
        throw UsageError(
            CliText::tr("give either a VERSION or --file PATH, not both").toStdString());
    if (!fromFile && arguments.size() == 1)
        throw UsageError(
            CliText::tr("%1 needs a VERSION of %2 or --file PATH; %3")
                .arg(name, quoted(target.product->title()), listVersionsHint(*target.product))
                .toStdString());

    // A file named on the command line is the person's own, as the user folder's are.
    target.offer =
        fromFile
            ? feed::FirmwareOffer{feed::FirmwareSource::User,
                                  firmwareForFile(*target.product, request.value("file"), context),
                                  std::nullopt}
            : offerForVersion(*target.product, arguments.at(1), context);
    target.firmware = target.offer.firmware;
    if (!target.firmware) {
        const feed::FeedRelease& release = *target.offer.release;
        target.firmware = std::make_shared<const Firmware>(
            context.feed()
                .cache()
                .pathFor(release.sha256,
                         QString::fromStdString(target.product->firmwareExtension()))
                .toStdString(),
            Firmware::KnownVersion{target.offer.version()});
    }
    return target;
}

} // namespace modflash::cli
