// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/FamilyProfile.h"
#include "flashing/UpdateTask.h"

namespace modflash {

class Firmware;
class Preferences;
class ResourceDirectory;

// STM32 modules over SWD, written by openocd through the ST-Link probe chosen in the
// preferences.
class OpenocdProfile final : public FamilyProfile {
public:
    // The largest flash of the STM32F0 chips the target script drives (STM32F09x).
    static constexpr std::uint64_t largestFlash = 256 * 1024;

    static const OpenocdProfile& instance();

    UpdateTask command(const Firmware& firmware, const ResourceDirectory& resources,
                       const Preferences& preferences) const;
    std::optional<DeviceRequirement> requiredDevice(const Preferences& preferences) const override;
    std::unique_ptr<ProgressParser> progressParser() const override;
    std::optional<ImageCheck::Requirements> imageRequirements() const override;

private:
    OpenocdProfile();
};

} // namespace modflash
