// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace modflash {

// One firmware image: its path exactly as given and the version text derived from the file
// name. Immutable, so it may be shared freely between the version list and a running update.
class Firmware {
public:
    // A version known otherwise than from the file name: a downloaded image is named by its
    // hash, and its version is the one its release gives.
    struct KnownVersion {
        std::string text;
    };

    Firmware(std::string path, std::string_view prefix);
    Firmware(std::string path, KnownVersion version);

    static std::shared_ptr<const Firmware> firmwareWithPath(std::string path,
                                                            std::string_view prefix);

    // The file name without its last extension, with every occurrence of the prefix removed.
    static std::string versionFromPath(std::string_view path, std::string_view prefix);

    const std::string& path() const { return m_path; }
    const std::string& version() const { return m_version; }

private:
    std::string m_path;
    std::string m_version;
};

using FirmwarePtr = std::shared_ptr<const Firmware>;

} // namespace modflash
