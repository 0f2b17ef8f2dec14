// SPDX-License-Identifier: GPL-3.0-or-later
// modflash-cli feed: reads the feed from its server, lists what its verified manifest offers,
// and empties the download cache.
#include "app/cli/CliText.h"
#include "app/cli/CommandContext.h"
#include "app/cli/ExitStatus.h"
#include "app/cli/Output.h"
#include "app/cli/Request.h"
#include "app/cli/Subcommands.h"
#include "app/cli/UsageError.h"
#include "flashing/Wording.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace modflash::cli {

namespace {

QString feedOff() {
    return CliText::tr("the feed is off: this modflash names no feed; give its manifest's URL "
                       "with --feed-url URL");
}

int refresh(CommandContext& context) {
    FeedAccess& feed = context.feed();
    if (!feed.isOn())
        throw UsageError(feedOff().toStdString());
    if (feed.isOffline())
        throw UsageError(
            CliText::tr("feed refresh reads the feed from the network, which --offline forbids")
                .toStdString());
    const feed::FeedRefresh::Outcome outcome = feed.refresh();
    Output& output = context.output();
    using Status = feed::FeedRefresh::Outcome::Status;
    const QString url = feed.settings().url.toString();
    if (outcome.status == Status::Refused)
        output.error(
            CliText::tr("the feed at %1 is refused: %2").arg(url, outcome.reason).toStdString());
    else if (outcome.status == Status::Unreachable)
        output.error(CliText::tr("the feed at %1 cannot be reached: %2")
                         .arg(url, outcome.reason)
                         .toStdString());
    if (const std::optional<feed::Manifest>& manifest = outcome.manifest) {
        for (const QString& leftOut : manifest->leftOut)
            output.error(CliText::tr("left out of the feed: %1").arg(leftOut).toStdString());
        output.line(CliText::tr("feed \u201c%1\u201d: serial %2 of %3, valid until %4%5")
                        .arg(manifest->feedName, QString::number(manifest->serial),
                             manifest->issued.toString(Qt::ISODate),
                             manifest->expires.toString(Qt::ISODate),
                             outcome.status == Status::Accepted ? QString()
                             : outcome.status == Status::Unchanged
                                 ? CliText::tr(" (unchanged)")
                                 : CliText::tr(" (kept from an earlier check)")));
    }
    return outcome.exitStatus();
}

QJsonObject describe(const feed::FeedRelease& release, bool downloaded) {
    return {{"version", release.version}, {"date", release.date.toString(Qt::ISODate)},
            {"notes", release.notes},     {"url", release.url.toString()},
            {"size", release.size},       {"sha256", release.sha256},
            {"downloaded", downloaded}};
}

int list(const Request& request, CommandContext& context) {
    const std::optional<feed::Manifest>& manifest = context.sources().manifest();
    const bool json = request.isSet("json");
    if (!manifest)
        context.output().error(
            context.feed().isOn()
                ? CliText::tr("no verified manifest of the feed \u201c%1\u201d is on this "
                              "computer yet; run \"modflash-cli feed refresh\"")
                      .arg(context.feed().settings().feedName)
                      .toStdString()
                : feedOff().toStdString());
    QJsonArray products;
    for (const feed::Manifest::Product& product :
         manifest ? manifest->products : std::vector<feed::Manifest::Product>{}) {
        QJsonArray releases;
        for (const feed::FeedRelease& release : product.releases) {
            if (release.withdrawn)
                continue;
            const bool downloaded = QFileInfo::exists(
                context.feed().cache().pathFor(release.sha256, product.extension));
            releases.append(describe(release, downloaded));
            if (!json)
                context.output().line(
                    CliText::tr("%1 %2 (%3, %4 bytes%5)")
                        .arg(product.title, release.version, release.date.toString(Qt::ISODate),
                             QString::fromStdString(
                                 Wording::user().number(std::uint64_t(release.size))),
                             downloaded ? CliText::tr(", downloaded") : QString()));
        }
        products.append(QJsonObject{
            {"title", product.title}, {"prefix", product.prefix}, {"releases", releases}});
    }
    if (json)
        context.output().json(QJsonDocument(
            QJsonObject{{"feed", context.feed().settings().feedName},
                        {"serial", manifest ? QJsonValue(qint64(manifest->serial)) : QJsonValue()},
                        {"products", products}}));
    return ExitStatus::success;
}

int clear(CommandContext& context) {
    QString reason;
    if (!context.feed().cache().clear(&reason)) {
        context.output().error(
            CliText::tr("the download cache cannot be emptied: %1").arg(reason).toStdString());
        return ExitStatus::cannotBuild;
    }
    return ExitStatus::success;
}

} // namespace

int runFeed(const Request& request, CommandContext& context) {
    const QStringList& arguments = request.arguments;
    const QString action = arguments.value(0);
    if (arguments.size() > 1)
        throw UsageError(CliText::tr("feed %1 takes no more arguments, but %2 was given")
                             .arg(action, CliText::quoted(arguments.at(1)))
                             .toStdString());
    if (request.isSet("json") && action != "list")
        throw UsageError(CliText::tr("--json goes with feed list only").toStdString());
    if (action == "refresh")
        return refresh(context);
    if (action == "list")
        return list(request, context);
    if (action == "clear")
        return clear(context);
    throw UsageError(
        (action.isEmpty()
             ? CliText::tr("feed needs refresh, list or clear")
             : CliText::tr("unknown feed action \"%1\"; give refresh, list or clear").arg(action))
            .toStdString());
}

} // namespace modflash::cli
