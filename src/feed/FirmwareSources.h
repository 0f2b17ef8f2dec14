// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/ImageListing.h"
#include "feed/FirmwareOffer.h"
#include "feed/Manifest.h"
#include "flashing/ResourceDirectory.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace modflash {
class Product;
}

namespace modflash::feed {

// Where the images a product may be written with come from, for both front ends: the resource
// directory, the user's own folder ($XDG_DATA_HOME/modflash/firmware, the same naming rules),
// the feed's images in the download cache and the feed's releases not yet downloaded, as the
// last verified manifest gives them. Nothing is cached: every question reads the folders anew.
class FirmwareSources {
public:
    explicit FirmwareSources(ResourceDirectory resources, QString userRoot = defaultUserRoot(),
                             QString cacheDirectory = defaultCacheDirectory());

    // $XDG_DATA_HOME/modflash, or ~/.local/share/modflash: its "firmware" folder is the user's.
    static QString defaultUserRoot();
    static QString defaultCacheDirectory();
    QString userFirmwareDirectory() const;
    const ResourceDirectory& resources() const { return m_resources; }
    const QString& cacheDirectory() const { return m_cacheDirectory; }

    // The verified manifest whose releases are offered; none while the feed is off or has
    // never been read.
    void setManifest(std::optional<Manifest> manifest) { m_manifest = std::move(manifest); }
    const std::optional<Manifest>& manifest() const { return m_manifest; }

    // The product's images in the version list's order. A release whose SHA-256 is that of an
    // image offered before it is that image, not another entry; a withdrawn one is not offered,
    // cached or not. Names that are not UTF-8 are left out and go to leftOut when it is given.
    std::vector<FirmwareOffer> offers(const Product& product,
                                      std::vector<std::string>* leftOut = nullptr) const;

    // One read of each folder for a whole product list, however many products it asks about.
    class Listing {
    public:
        // Whether the product list offers the product: it has an image from any source, and
        // factory firmware is enabled or the product is not factory-only.
        bool offers(const Product& product, bool factoryFirmwareEnabled) const;
        bool hasImages(const Product& product) const;

    private:
        friend class FirmwareSources;
        Listing(const ResourceDirectory& resources, const ResourceDirectory& user,
                const std::optional<Manifest>& manifest);

        ImageListing m_bundled;
        ImageListing m_user;
        const std::optional<Manifest>& m_manifest;
    };
    Listing listing() const;

private:
    ResourceDirectory user() const;
    void addFeedReleases(const Product& product, std::vector<FirmwareOffer>& offers) const;

    ResourceDirectory m_resources;
    QString m_userRoot;
    QString m_cacheDirectory;
    std::optional<Manifest> m_manifest;
};

} // namespace modflash::feed
