// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/Product.h"

#include "flashing/FamilyProfile.h"
#include "flashing/ResourceDirectory.h"
#include "flashing/Utf8.h"

#include <algorithm>

namespace modflash {

Product::Product(std::string title, std::string prefix, bool factoryOnly,
                 const FamilyProfile& profile)
    : m_title(std::move(title))
    , m_prefix(std::move(prefix))
    , m_factoryOnly(factoryOnly)
    , m_profile(profile) {}

Product::~Product() = default;

std::string Product::firmwareExtension() const {
    return m_profile.extension();
}

std::vector<FirmwarePtr> Product::getAllFirmware(const ResourceDirectory& resources,
                                                 std::vector<std::string>* leftOut) const {
    std::vector<std::string> paths =
        resources.pathsForResourcesOfType(firmwareExtension(), "firmware", m_prefix);
    // Byte order of UTF-8 text is the order of its code points.
    std::sort(paths.begin(), paths.end());

    std::vector<FirmwarePtr> images;
    images.reserve(paths.size());
    for (auto& path : paths) {
        if (isValidUtf8(path))
            images.push_back(firmwareForPath(std::move(path)));
        else if (leftOut)
            leftOut->push_back(path.substr(path.rfind('/') + 1));
    }
    return images;
}

bool Product::hasFirmware(const ResourceDirectory& resources) const {
    return !getAllFirmware(resources).empty();
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

std::optional<DeviceRequirement> Product::requiredDevice(const Preferences& preferences) const {
    return m_profile.requiredDevice(preferences);
}

std::optional<ImageCheck::Requirements> Product::imageRequirements() const {
    return m_profile.imageRequirements();
}

ImageReport Product::checkImage(const std::string& path,
                                std::optional<std::uint64_t> connectedFlash,
                                const std::string& displayName, std::string* checkedBytes,
                                const Wording& wording) const {
    std::optional<ImageCheck::Requirements> requirements = imageRequirements();
    if (!requirements)
        return {};
    requirements->connectedFlash = connectedFlash;
    return ImageCheck::checkFile(path, displayName, *requirements, checkedBytes, wording);
}

std::optional<UpdateTask> Product::moduleCheckTask(const ResourceDirectory&,
                                                   const Preferences&) const {
    return std::nullopt;
}

ModuleVerdict Product::judgeModule(std::string_view, const ToolEnd&) const {
    return {};
}

std::string Product::chipName() const {
    return {};
}

} // namespace modflash
