// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/AvrChips.h"
#include "flashing/AvrSignature.h"
#include "flashing/DeviceRequirement.h"
#include "flashing/FamilyProfile.h"
#include "flashing/ImageCheck.h"
#include "flashing/ModuleCheck.h"
#include "flashing/UpdateTask.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

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

    // Reads the chip's signature and writes nothing: the module check before an update.
    UpdateTask signatureCommand(std::int32_t cpu, const ResourceDirectory& resources,
                                const Preferences& preferences) const;
    // Whether the module the signature command's output shows fits the product, naming those of
    // products it may belong to when it does not.
    ModuleVerdict judgeModule(std::string_view signatureOutput, const ToolEnd& readEnd,
                              const AvrProductChip& product,
                              std::span<const AvrProductChip> products) const;
    ImageCheck::Requirements imageRequirements(std::int32_t cpu) const;

    // The chip of a product's index; throws std::out_of_range for one outside the table.
    static const AvrChip& chipAt(std::int32_t cpu);

private:
    AvrdudeProfile();
    // Why the signature read cannot be judged, when it did not end as a complete read does.
    static std::optional<std::string> unfinishedRead(const AvrSignatureReading& reading,
                                                     const ToolEnd& readEnd);
};

} // namespace modflash
