#include "ImageListing.h"

#include "Product.h"
#include "ResourceDirectory.h"

#include <algorithm>

namespace modflash {

ImageListing::ImageListing(const ResourceDirectory& resources)
    : m_names(resources.fileNamesIn("firmware")) {
    std::sort(m_names.begin(), m_names.end());
}

bool ImageListing::hasFirmware(const Product& product) const {
    const std::string& prefix = product.prefix();
    const std::string type = product.firmwareExtension();
    for (auto it = std::lower_bound(m_names.begin(), m_names.end(), prefix);
         it != m_names.end() && it->starts_with(prefix); ++it) {
        if (ResourceDirectory::nameHasType(*it, type))
            return true;
    }
    return false;
}

} // namespace modflash
