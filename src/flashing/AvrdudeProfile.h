// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/AvrChips.h"
#include "flashing/AvrSignature.h"
#include "flashing/FamilyProfile.h"
#include "flashing/ModuleCheck.h"
#include "flashing/UpdateTask.h"

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

    // Writes the image and the chip's fuses.
    UpdateTask command(AvrChipId chip, const Firmware& firmware, const ResourceDirectory& resources,
                       const Preferences& preferences) const;
    std::optional<DeviceRequirement> requiredDevice(const Preferences& preferences) const override;
    std::unique_ptr<ProgressParser> progressParser() const override;

    // Reads the chip's signature and writes nothing: the module check before an update.
    UpdateTask signatureCommand(AvrChipId chip, const ResourceDirectory& resources,
                                const Preferences& preferences) const;
    // Whether the module the signature command's output shows fits the product, naming those of
    // products it may belong to when it does not; the reason in the user's language and in
    // English for the log.
    ModuleVerdict judgeModule(std::string_view signatureOutput, const ToolEnd& readEnd,
                              const AvrProductChip& product,
                              std::span<const AvrProductChip> products) const;

private:
    AvrdudeProfile();
    // The verdict on what the output showed, with its reason in the wording given.
    static ModuleVerdict judgeReading(const std::string& accessErrorLine,
                                      const AvrSignatureReading& reading, const ToolEnd& readEnd,
                                      const AvrProductChip& product,
                                      std::span<const AvrProductChip> products,
                                      const Wording& wording);
    // Why the signature read cannot be judged, when it did not end as a complete read does.
    static std::optional<std::string> unfinishedRead(const AvrSignatureReading& reading,
                                                     const ToolEnd& readEnd,
                                                     const Wording& wording);
};

} // namespace modflash
