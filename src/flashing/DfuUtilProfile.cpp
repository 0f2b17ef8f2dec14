// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/DfuUtilProfile.h"

#include "flashing/Firmware.h"
#include "flashing/LogTexts.h"
#include "flashing/Preferences.h"
#include "flashing/TextLookup.h"
#include "flashing/ToolEnvironment.h"
#include "flashing/output/DfuUtilProgressParser.h"

namespace modflash {

DfuUtilProfile::DfuUtilProfile()
    : FamilyProfile(
          {"dfu",
           "dfu-util",
           "bin",
           {LogTexts::firstDfuNote, LogTexts::secondDfuNote},
           // "Cannot open DFU device 0483:df11 found on devnum 2 (LIBUSB_ERROR_ACCESS)", then
           // "No DFU capable USB device available"; libusb's own words only with -v -v.
           {"LIBUSB_ERROR_ACCESS", "libusb requires write access"},
           {{{"No DFU capable USB device", "LIBUSB_ERROR_NO_DEVICE", "No such device"},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "Put the module into its boot loader mode as its instructions say, and "
                 "try another USB cable.")},
            {{"LIBUSB_ERROR_TIMEOUT", "LIBUSB_ERROR_PIPE", "Error during download", "get_status"},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "The boot loader stopped answering: switch the module off and on in its "
                 "boot loader mode, then update again.")},
            {{"verify", "mismatch"},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "The module reads back other data than was written: update again.")},
            {{},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "Put the module into its boot loader mode as its instructions say, and "
                 "try another USB cable.")}}}) {}

const DfuUtilProfile& DfuUtilProfile::instance() {
    static const DfuUtilProfile profile;
    return profile;
}

UpdateTask DfuUtilProfile::command(const std::string& address, const std::string& device,
                                   const Firmware& firmware, const ResourceDirectory& resources,
                                   const Preferences& preferences) const {
    UpdateTask task;
    const bool factory = preferences.boolForKey(PreferenceKey::enableFactoryFirmware);
    task.launchPath = executableResource(resources, factory ? "dfu-util-factory" : "dfu-util");
    std::string target = address + ":leave";
    if (preferences.boolForKey(PreferenceKey::massEraseBeforeProgramming))
        target += ":mass-erase:force";
    task.arguments = {"-a", "0", "-s", target, "-D", firmware.path(), "-d", device};
    task.environment = toolEnvironment(resources);
    return task;
}

DeviceRequirement DfuUtilProfile::bootLoader(const std::string& device) const {
    return DeviceRequirement::forDfuBootLoader(
        UsbId::parse(device).value_or(*UsbId::parse(defaultDevice)));
}

std::optional<ImageCheck::Requirements> DfuUtilProfile::imageRequirements() const {
    return ImageCheck::Requirements::forStm32(largestFlash);
}

std::unique_ptr<ProgressParser> DfuUtilProfile::progressParser() const {
    return std::make_unique<DfuUtilProgressParser>();
}

} // namespace modflash
