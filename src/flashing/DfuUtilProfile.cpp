#include "DfuUtilProfile.h"

#include "DfuUtilProgressParser.h"
#include "Firmware.h"
#include "LogTexts.h"
#include "Preferences.h"
#include "ToolEnvironment.h"

namespace modflash {

DfuUtilProfile::DfuUtilProfile()
    : FamilyProfile({"dfu", "dfu-util", "bin", {LogTexts::firstDfuNote, LogTexts::secondDfuNote}}) {
}

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

DeviceRequirement DfuUtilProfile::requiredDevice(const std::string& device) const {
    return DeviceRequirement::forDfuBootLoader(
        UsbId::parse(device).value_or(*UsbId::parse(defaultDevice)));
}

std::unique_ptr<ProgressParser> DfuUtilProfile::progressParser() const {
    return std::make_unique<DfuUtilProgressParser>();
}

} // namespace modflash
