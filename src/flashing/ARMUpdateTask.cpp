// The dfu-util command of ARMProduct.
#include "ARMProduct.h"

#include "Preferences.h"
#include "ResourceDirectory.h"
#include "ToolEnvironment.h"

namespace modflash {

UpdateTask ARMProduct::createUpdateTask(const Firmware& firmware,
                                        const ResourceDirectory& resources,
                                        const Preferences& preferences) const {
    UpdateTask task = Product::createUpdateTask(firmware, resources, preferences);
    const bool factory = preferences.boolForKey(PreferenceKey::enableFactoryFirmware);
    task.launchPath = executableResource(resources, factory ? "dfu-util-factory" : "dfu-util");

    std::string target = address() + ":leave";
    if (preferences.boolForKey(PreferenceKey::massEraseBeforeProgramming))
        target += ":mass-erase:force";

    task.arguments = {"-a", "0", "-s", target, "-D", firmware.path(), "-d", device()};
    task.environment = toolEnvironment(resources);
    return task;
}

} // namespace modflash
