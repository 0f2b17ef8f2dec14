// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace modflash {

class Product;
class ResourceDirectory;

// One read of the firmware directory, shared by every product a product list refresh asks.
// With thousands of files and many products without any, one read per product would cost a
// full directory scan each. The read goes only as far as the questions need: names already
// read are looked at first, and the directory is read on only when none of them answers, so a
// directory where every product has images is hardly read at all. Made afresh for each
// refresh: it is a listing, not a cache.
class ImageListing {
public:
    explicit ImageListing(const ResourceDirectory& resources);

    // What product.hasFirmware(resources) answers.
    bool hasFirmware(const Product& product) const;
    // Whether the product list offers the product: it has firmware, and factory firmware is
    // enabled or the product is not factory-only. Both front ends offer what this says.
    bool offers(const Product& product, bool factoryFirmwareEnabled) const;
    // The factory part of that rule: factory-only products only while factory firmware is on.
    static bool mayOffer(const Product& product, bool factoryFirmwareEnabled);
    // How many images the product has; reads the rest of the directory.
    std::size_t imageCount(const Product& product) const;

private:
    static bool matches(std::string_view name, const std::string& prefix, const std::string& type);
    // Reads on to the next regular file; false at the end of the directory.
    bool readNext() const;

    // Reading is no change a caller can see, so the questions stay const.
    mutable std::filesystem::directory_iterator m_next;
    mutable std::error_code m_error;
    // Every name read so far, each followed by a "/", which no file name holds.
    mutable std::string m_names;
};

} // namespace modflash
