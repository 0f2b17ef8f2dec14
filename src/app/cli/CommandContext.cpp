// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/CommandContext.h"

#include "app/cli/CliText.h"
#include "app/cli/UsageError.h"
#include "flashing/DfuseLayout.h"
#include "flashing/Preferences.h"
#include "update/LibusbDeviceSource.h"

namespace modflash::cli {

CommandContext::CommandContext(ResourceDirectory resources, const Preferences& preferences,
                               const FeedOptions& feedOptions, Output& output)
    : m_resources(std::move(resources))
    , m_feed(feedOptions, m_catalogue)
    , m_preferences(preferences)
    , m_output(output) {}

const feed::FirmwareSources& CommandContext::sources() const {
    if (!m_sources) {
        m_sources.emplace(m_resources);
        m_sources->setManifest(m_feed.lastVerified());
    }
    return *m_sources;
}

bool CommandContext::factoryFirmwareEnabled() const {
    return m_preferences.boolForKey(PreferenceKey::enableFactoryFirmware);
}

bool CommandContext::moduleCheckEnabled() const {
    return m_preferences.boolForKey(PreferenceKey::checkModuleBeforeWriting);
}

std::optional<std::uint64_t> CommandContext::connectedFlash(const Product& product) const {
    const auto device = product.requiredDevice(m_preferences);
    if (!moduleCheckEnabled() || !device || !device->describesMemory())
        return std::nullopt;
    for (const UsbId& id : device->ids())
        if (const auto name = LibusbDeviceSource::readDfuMemoryLayout(id))
            return DfuseLayout::flashForImages(*name);
    return std::nullopt;
}

bool CommandContext::isOffered(const Product& product,
                               const feed::FirmwareSources::Listing& images) const {
    return images.offers(product, factoryFirmwareEnabled());
}

ProductPtr CommandContext::requireProduct(const QString& name) const {
    const std::string typed = name.toStdString();
    ProductPtr product = m_catalogue.productNamed(typed);
    if (!product) {
        const auto quoted = [](const std::vector<std::string>& titles) {
            QStringList list;
            for (const std::string& title : titles)
                list.append(CliText::tr("\u201c%1\u201d", "a product's title in quotation marks")
                                .arg(QString::fromStdString(title)));
            return list;
        };
        const QString shown = QString::fromStdString(typed);
        // Taking one of them could write another revision's firmware.
        if (const QStringList fits = quoted(m_catalogue.candidateTitles(typed)); !fits.isEmpty())
            throw UsageError(CliText::tr("\u201c%1\u201d fits more than one product: %2; give "
                                         "the title as written, in quotes")
                                 .arg(shown, fits.join(", "))
                                 .toStdString());
        const QStringList titles = quoted(m_catalogue.nearestTitles(typed));
        const QString unknown =
            titles.isEmpty()
                ? CliText::tr(
                      "no product named \u201c%1\u201d; run \"modflash-cli products --all\" "
                      "to list them")
                      .arg(shown)
                : CliText::tr("no product named \u201c%1\u201d; did you mean %2?")
                      .arg(shown, titles.join(CliText::tr(" or ")));
        throw UsageError(unknown.toStdString());
    }
    if (product->factoryOnly() && !factoryFirmwareEnabled())
        throw UsageError(CliText::tr("\"%1\" is offered only while factory firmware is enabled; "
                                     "add --factory to enable it for this run")
                             .arg(QString::fromStdString(product->title()))
                             .toStdString());
    return product;
}

} // namespace modflash::cli
