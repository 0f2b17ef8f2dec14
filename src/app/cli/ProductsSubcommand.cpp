#include "ProductsSubcommand.h"

#include "CommandContext.h"
#include "ExitStatus.h"
#include "Output.h"
#include "Request.h"
#include "UsageError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace modflash::cli {

namespace {

QJsonObject describe(const Product& product, const CommandContext& context) {
    const auto versions = product.getAllFirmware(context.resources());
    return {
        {"title", QString::fromStdString(product.title())},
        {"family", QString::fromUtf8(product.family().data(),
                                     static_cast<qsizetype>(product.family().size()))},
        {"prefix", QString::fromStdString(product.prefix())},
        {"factoryOnly", product.factoryOnly()},
        {"offered", context.isOffered(product)},
        {"versions", static_cast<qint64>(versions.size())},
    };
}

} // namespace

QString ProductsSubcommand::name() const {
    return "products";
}

QString ProductsSubcommand::synopsis() const {
    return "[--all] [--json]";
}

QString ProductsSubcommand::summary() const {
    return "the products on offer, one title a line";
}

QString ProductsSubcommand::description() const {
    return "Lists the products the window offers, in its order: those with firmware images, "
           "without the factory-only ones unless factory firmware is enabled.";
}

QList<QCommandLineOption> ProductsSubcommand::options() const {
    return {
        {"all", "List all products, offered or not."},
        {"json", "Print a JSON array of {title, family, prefix, factoryOnly, offered, versions}."},
    };
}

int ProductsSubcommand::run(const Request& request, CommandContext& context) const {
    if (!request.arguments.isEmpty())
        throw UsageError("products takes no arguments, but \"" +
                         request.arguments.front().toStdString() +
                         "\" was given; run \"modflash-cli products --help\" for its usage");

    const bool all = request.isSet("all");
    QJsonArray array;
    for (const ProductPtr& product : context.catalogue().products()) {
        if (!all && !context.isOffered(*product))
            continue;
        if (request.isSet("json"))
            array.append(describe(*product, context));
        else
            context.output().line(product->title());
    }
    if (request.isSet("json"))
        context.output().json(QJsonDocument(array));
    return ExitStatus::success;
}

} // namespace modflash::cli
