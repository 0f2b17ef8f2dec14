// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cli/FeedAccess.h"
#include "catalogue/Product.h"
#include "catalogue/ProductCatalogue.h"
#include "feed/FirmwareSources.h"
#include "flashing/ResourceDirectory.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace modflash {
class Preferences;
} // namespace modflash

namespace modflash::cli {

class Output;

// What every subcommand works with: the catalogue, the resource directory, the preferences of
// this run, the feed, where images come from and the output, with the rules about which
// products may be used.
class CommandContext {
public:
    // Throws UsageError for feed options that cannot be used.
    CommandContext(ResourceDirectory resources, const Preferences& preferences,
                   const FeedOptions& feedOptions, Output& output);

    const ProductCatalogue& catalogue() const { return m_catalogue; }
    const ResourceDirectory& resources() const { return m_resources; }
    FeedAccess& feed() const { return m_feed; }
    // Every source of images, the feed's releases as the last verified manifest gives them
    // (read at the first call).
    const feed::FirmwareSources& sources() const;
    const Preferences& preferences() const { return m_preferences; }
    Output& output() const { return m_output; }

    bool factoryFirmwareEnabled() const;
    bool moduleCheckEnabled() const;
    // The flash the connected module's boot loader says it has, when the module check is on and
    // the product's device describes its memory.
    std::optional<std::uint64_t> connectedFlash(const Product& product) const;
    // What the window's product list offers, by the window's listing of the images.
    bool isOffered(const Product& product, const feed::FirmwareSources::Listing& images) const;

    // The product a person named, by exact title or page name. Throws UsageError when there is
    // none, or when it is factory-only and factory firmware is off.
    ProductPtr requireProduct(const QString& name) const;

private:
    ProductCatalogue m_catalogue;
    ResourceDirectory m_resources;
    mutable FeedAccess m_feed;
    mutable std::optional<feed::FirmwareSources> m_sources;
    const Preferences& m_preferences;
    Output& m_output;
};

} // namespace modflash::cli
