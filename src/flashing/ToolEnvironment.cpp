// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/ToolEnvironment.h"

#include "flashing/MissingResourceError.h"
#include "flashing/ResourceDirectory.h"

namespace modflash {

std::map<std::string, std::string> toolEnvironment(const ResourceDirectory& resources) {
    return {{loaderPathVariable, resources.resourcePath()}};
}

std::string requiredResource(const ResourceDirectory& resources, const std::string& description,
                             const char* name, const char* type) {
    if (auto path = resources.pathForResource(name, type))
        return *path;
    throw MissingResourceError(description, resources.expectedPath(name, type));
}

std::string executableResource(const ResourceDirectory& resources, const char* name) {
    return resources.pathForResource(name).value_or(resources.expectedPath(name));
}

} // namespace modflash
