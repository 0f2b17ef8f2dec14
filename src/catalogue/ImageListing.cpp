#include "ImageListing.h"

#include "Product.h"
#include "ResourceDirectory.h"

#include <string_view>

namespace modflash {

ImageListing::ImageListing(const ResourceDirectory& resources) {
    resources.forEachFileName("firmware", [this](std::string_view name) {
        m_names += name;
        m_names += '/';
    });
}

bool ImageListing::hasFirmware(const Product& product) const {
    // In directory order: a product with images meets one soon, and one without costs a pass
    // of cheap comparisons over names already in memory.
    const std::string& prefix = product.prefix();
    const std::string type = product.firmwareExtension();
    const std::string_view names(m_names);
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = names.find('/', start);
        const std::string_view name = names.substr(start, end - start);
        if (name.starts_with(prefix) && ResourceDirectory::nameHasType(name, type))
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace modflash
