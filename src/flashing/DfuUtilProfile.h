#pragma once

#include "DeviceRequirement.h"
#include "FamilyProfile.h"
#include "UpdateTask.h"

#include <string>

namespace modflash {

class Firmware;
class Preferences;
class ResourceDirectory;

// STM32 modules in their USB DFU boot loader, written by dfu-util.
class DfuUtilProfile final : public FamilyProfile {
public:
    static constexpr const char* defaultDevice = "0483:df11";

    static const DfuUtilProfile& instance();

    // address and device are passed to dfu-util as they are ("0x08000000", "0483:df11").
    UpdateTask command(const std::string& address, const std::string& device,
                       const Firmware& firmware, const ResourceDirectory& resources,
                       const Preferences& preferences) const;
    // The boot loader with the device's id; the usual one when the text is no id.
    DeviceRequirement requiredDevice(const std::string& device) const;
    std::unique_ptr<ProgressParser> progressParser() const override;

private:
    DfuUtilProfile();
};

} // namespace modflash
