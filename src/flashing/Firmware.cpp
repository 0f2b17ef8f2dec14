// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/Firmware.h"

namespace modflash {

namespace {

std::string_view lastPathComponent(std::string_view path) {
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    if (path == "/")
        return path;
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view deletingPathExtension(std::string_view name) {
    const auto dot = name.rfind('.');
    // A leading dot marks a hidden name, not an extension.
    if (dot == std::string_view::npos || dot == 0)
        return name;
    return name.substr(0, dot);
}

std::string removingOccurrences(std::string_view text, std::string_view pattern) {
    if (pattern.empty())
        return std::string(text);
    std::string result;
    std::size_t from = 0;
    for (auto found = text.find(pattern); found != std::string_view::npos;
         found = text.find(pattern, from)) {
        result.append(text.substr(from, found - from));
        from = found + pattern.size();
    }
    result.append(text.substr(from));
    return result;
}

} // namespace

Firmware::Firmware(std::string path, std::string_view prefix)
    : m_path(std::move(path))
    , m_version(versionFromPath(m_path, prefix)) {}

Firmware::Firmware(std::string path, KnownVersion version)
    : m_path(std::move(path))
    , m_version(std::move(version.text)) {}

std::shared_ptr<const Firmware> Firmware::firmwareWithPath(std::string path,
                                                           std::string_view prefix) {
    return std::make_shared<const Firmware>(std::move(path), prefix);
}

std::string Firmware::versionFromPath(std::string_view path, std::string_view prefix) {
    return removingOccurrences(deletingPathExtension(lastPathComponent(path)), prefix);
}

} // namespace modflash
