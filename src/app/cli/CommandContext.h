// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"
#include "catalogue/ProductCatalogue.h"
#include "flashing/ResourceDirectory.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace modflash {
class ImageListing;
class Preferences;
} // namespace modflash

namespace modflash::cli {

class Output;

// What every subcommand works with: the catalogue, the resource directory, the preferences of
// this run and the output, with the rules about which products may be used.
class CommandContext {
public:
    CommandContext(ResourceDirectory resources, const Preferences& preferences, Output& output);

    const ProductCatalogue& catalogue() const { return m_catalogue; }
    const ResourceDirectory& resources() const { return m_resources; }
    const Preferences& preferences() const { return m_preferences; }
    Output& output() const { return m_output; }

    bool factoryFirmwareEnabled() const;
    bool moduleCheckEnabled() const;
    // The flash the connected module's boot loader says it has, when the module check is on and
    // the product's device describes its memory.
    std::optional<std::uint64_t> connectedFlash(const Product& product) const;
    // What the window's product list offers, by the window's listing of the images.
    bool isOffered(const Product& product, const ImageListing& images) const;

    // The product a person named, by exact title or page name. Throws UsageError when there is
    // none, or when it is factory-only and factory firmware is off.
    ProductPtr requireProduct(const QString& name) const;

private:
    ProductCatalogue m_catalogue;
    ResourceDirectory m_resources;
    const Preferences& m_preferences;
    Output& m_output;
};

} // namespace modflash::cli
