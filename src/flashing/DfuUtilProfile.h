// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/FamilyProfile.h"
#include "flashing/UpdateTask.h"

#include <string>

namespace modflash {

class Firmware;
class Preferences;
class ResourceDirectory;

// STM32 modules in their USB DFU boot loader, written by dfu-util.
class DfuUtilProfile final : public FamilyProfile {
public:
    static constexpr const char* defaultDevice = "0483:df11";
    // The largest flash of the chips whose boot loaders dfu-util writes here (STM32F4 up to
    // STM32F42x): no image for this family can be larger. The boot loader itself, once it is
    // plugged in, says how much flash the module really has.
    static constexpr std::uint64_t largestFlash = 2 * 1024 * 1024;

    static const DfuUtilProfile& instance();

    // address and device are passed to dfu-util as they are ("0x08000000", "0483:df11").
    UpdateTask command(const std::string& address, const std::string& device,
                       const Firmware& firmware, const ResourceDirectory& resources,
                       const Preferences& preferences) const;
    // The boot loader with the device's id; the usual one when the text is no id.
    DeviceRequirement bootLoader(const std::string& device) const;
    std::unique_ptr<ProgressParser> progressParser() const override;
    std::optional<ImageCheck::Requirements> imageRequirements() const override;

private:
    DfuUtilProfile();
};

} // namespace modflash
