// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>

namespace modflash {

class ResourceDirectory;

// The dynamic loader's library search variable of this platform. The tools run with it as
// their only environment variable, pointing at the resource directory, so libraries shipped
// beside them are found first.
#if defined(__APPLE__)
inline constexpr const char* loaderPathVariable = "DYLD_LIBRARY_PATH";
#else
inline constexpr const char* loaderPathVariable = "LD_LIBRARY_PATH";
#endif

std::map<std::string, std::string> toolEnvironment(const ResourceDirectory& resources);

// The path of a tool or file the command needs; throws MissingResourceError when absent.
std::string requiredResource(const ResourceDirectory& resources, const std::string& description,
                             const char* name, const char* type = "");

// The path of an executable: where it should be even when it is not there, so that the launch
// fails and reports it, as for any tool that cannot start.
std::string executableResource(const ResourceDirectory& resources, const char* name);

} // namespace modflash
