#pragma once

#include <string>

namespace modflash {

class Product;
class ResourceDirectory;

// The firmware directory's files as one read found them. The product list asks every product
// whether it has images at each refresh; with thousands of files and many products without
// any, one read per product would cost a full directory scan each, so a refresh reads once and
// asks this instead. Made afresh for each refresh: it is a listing, not a cache.
class ImageListing {
public:
    explicit ImageListing(const ResourceDirectory& resources);

    // What product.hasFirmware(resources) answered at the time of the read.
    bool hasFirmware(const Product& product) const;

private:
    // Every name followed by a "/", which no file name holds: one allocation for them all.
    std::string m_names;
};

} // namespace modflash
