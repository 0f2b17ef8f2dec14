#pragma once

#include "DeviceRequirement.h"
#include "FamilyProfile.h"
#include "UpdateTask.h"

#include <cstdint>

namespace modflash {

class Firmware;
class Preferences;
class ResourceDirectory;

// AVR modules, written by avrdude through the USB programmer chosen in the preferences.
class AvrdudeProfile final : public FamilyProfile {
public:
    static const AvrdudeProfile& instance();

    // Writes the image and the chip's fuses. cpu indexes the chip table (0 atmega168,
    // 1 atmega328, 2 attiny44, 3 attiny45, 4 attiny85); no command is made for another.
    UpdateTask command(std::int32_t cpu, const Firmware& firmware,
                       const ResourceDirectory& resources, const Preferences& preferences) const;
    DeviceRequirement requiredDevice(const Preferences& preferences) const;
    std::unique_ptr<ProgressParser> progressParser() const override;

private:
    AvrdudeProfile();
};

} // namespace modflash
