#include "Product.h"

#include "ResourceDirectory.h"

#include <algorithm>

namespace modflash {

Product::Product() = default;

Product::Product(std::string title, std::string prefix)
    : Product(std::move(title), std::move(prefix), false) {}

Product::Product(std::string title, std::string prefix, bool factoryOnly)
    : m_title(std::move(title))
    , m_prefix(std::move(prefix))
    , m_factoryOnly(factoryOnly) {}

Product::~Product() = default;

std::string_view Product::family() const {
    return {};
}

std::string Product::firmwareExtension() const {
    return "hex";
}

std::vector<FirmwarePtr> Product::getAllFirmware(const ResourceDirectory& resources) const {
    std::vector<std::string> paths =
        resources.pathsForResourcesOfType(firmwareExtension(), "firmware", m_prefix);
    // Byte order of UTF-8 text is the order of its code points.
    std::sort(paths.begin(), paths.end());

    std::vector<FirmwarePtr> images;
    images.reserve(paths.size());
    for (auto& path : paths)
        images.push_back(firmwareForPath(std::move(path)));
    return images;
}

bool Product::hasFirmware(const ResourceDirectory& resources) const {
    // The product list asks every product at each refresh: the first image is answer enough.
    return resources.hasResourceOfType(firmwareExtension(), "firmware", m_prefix);
}

FirmwarePtr Product::firmwareForPath(std::string path) const {
    return Firmware::firmwareWithPath(std::move(path), m_prefix);
}

std::string Product::pageName() const {
    constexpr std::string_view trimmed = "_.";
    const auto first = m_prefix.find_first_not_of(trimmed);
    if (first == std::string::npos)
        return {};
    const auto last = m_prefix.find_last_not_of(trimmed);
    return m_prefix.substr(first, last - first + 1);
}

UpdateTask Product::createUpdateTask(const Firmware&, const ResourceDirectory&,
                                     const Preferences&) const {
    return {};
}

} // namespace modflash
