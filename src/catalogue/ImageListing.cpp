// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ImageListing.h"

#include "catalogue/Product.h"
#include "flashing/ResourceDirectory.h"
#include "flashing/Utf8.h"

namespace modflash {

ImageListing::ImageListing(const ResourceDirectory& resources)
    : m_next(std::filesystem::path(resources.resourcePath()) / "firmware", m_error) {}

bool ImageListing::hasFirmware(const Product& product) const {
    const std::string& prefix = product.prefix();
    const std::string type = product.firmwareExtension();
    const std::string_view names(m_names);
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = names.find('/', start);
        if (matches(names.substr(start, end - start), prefix, type))
            return true;
        start = end + 1;
    }
    while (readNext()) {
        const std::string_view read(m_names);
        const std::size_t start = read.rfind('/', read.size() - 2) + 1;
        if (matches(read.substr(start, read.size() - 1 - start), prefix, type))
            return true;
    }
    return false;
}

bool ImageListing::offers(const Product& product, bool factoryFirmwareEnabled) const {
    return mayOffer(product, factoryFirmwareEnabled) && hasFirmware(product);
}

bool ImageListing::mayOffer(const Product& product, bool factoryFirmwareEnabled) {
    return factoryFirmwareEnabled || !product.factoryOnly();
}

std::size_t ImageListing::imageCount(const Product& product) const {
    while (readNext()) {
    }
    std::size_t count = 0;
    const std::string type = product.firmwareExtension();
    const std::string_view names(m_names);
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = names.find('/', start);
        count += matches(names.substr(start, end - start), product.prefix(), type) ? 1 : 0;
        start = end + 1;
    }
    return count;
}

bool ImageListing::matches(std::string_view name, const std::string& prefix,
                           const std::string& type) {
    return name.starts_with(prefix) && ResourceDirectory::nameHasType(name, type) &&
           isValidUtf8(name);
}

bool ImageListing::readNext() const {
    for (; !m_error && m_next != std::filesystem::directory_iterator();) {
        const std::filesystem::directory_entry& entry = *m_next;
        std::error_code statError;
        const bool regular = entry.is_regular_file(statError);
        const std::string& path = entry.path().native();
        if (regular)
            (m_names += std::string_view(path).substr(path.rfind('/') + 1)) += '/';
        m_next.increment(m_error);
        if (regular)
            return true;
    }
    return false;
}

} // namespace modflash
