// The openocd command of ARMSWDProduct.
#include "ARMSWDProduct.h"

#include "OpenocdQuoting.h"
#include "Preferences.h"
#include "ResourceDirectory.h"
#include "ToolEnvironment.h"

#include <algorithm>

namespace modflash {

std::vector<std::string> ARMSWDProduct::stlinkInterfaces() {
    return {"ST-Link v2", "ST-Link v2-1"};
}

UpdateTask ARMSWDProduct::createUpdateTask(const Firmware& firmware,
                                           const ResourceDirectory& resources,
                                           const Preferences& preferences) const {
    UpdateTask task = Product::createUpdateTask(firmware, resources, preferences);
    task.launchPath = executableResource(resources, "openocd");

    // Only the exact second title picks the v2-1 probe; anything else, even a near miss,
    // falls back to the first.
    const auto interfaces = stlinkInterfaces();
    const std::string stored = preferences.stringForKey(PreferenceKey::stlinkProgrammer);
    const bool v21 =
        std::find(interfaces.begin(), interfaces.end(), stored) - interfaces.begin() == 1;
    const char* interfaceScript = v21 ? "interface/stlink-v2-1.cfg" : "interface/stlink-v2.cfg";

    const std::string scripts =
        requiredResource(resources, "openocd's script directory", "openocd-scripts");
    const std::string pre =
        requiredResource(resources, "openocd's script run before writing (openocd_flash_pre.cfg)",
                         "openocd_flash_pre", "cfg");
    const std::string post =
        requiredResource(resources, "openocd's script run after verifying (openocd_flash_post.cfg)",
                         "openocd_flash_post", "cfg");

    const std::string image = escapeForOpenocdQuotes(firmware.path());
    task.arguments = {
        "-s",
        scripts,
        "-f",
        interfaceScript,
        "-f",
        "target/stm32f0x.cfg",
        "-f",
        pre,
        "-c flash write_image erase \"" + image + "\" 0x08000000",
        "-c verify_image \"" + image + "\"",
        "-f",
        post,
    };
    task.environment = toolEnvironment(resources);
    return task;
}

} // namespace modflash
