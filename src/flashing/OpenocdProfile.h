#pragma once

#include "DeviceRequirement.h"
#include "FamilyProfile.h"
#include "UpdateTask.h"

namespace modflash {

class Firmware;
class Preferences;
class ResourceDirectory;

// STM32 modules over SWD, written by openocd through the ST-Link probe chosen in the
// preferences.
class OpenocdProfile final : public FamilyProfile {
public:
    static const OpenocdProfile& instance();

    UpdateTask command(const Firmware& firmware, const ResourceDirectory& resources,
                       const Preferences& preferences) const;
    DeviceRequirement requiredDevice(const Preferences& preferences) const;
    std::unique_ptr<ProgressParser> progressParser() const override;

private:
    OpenocdProfile();
};

} // namespace modflash
