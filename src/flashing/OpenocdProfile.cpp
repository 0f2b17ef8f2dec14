// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/OpenocdProfile.h"

#include "flashing/Firmware.h"
#include "flashing/LogTexts.h"
#include "flashing/OpenocdQuoting.h"
#include "flashing/Programmers.h"
#include "flashing/TextLookup.h"
#include "flashing/ToolEnvironment.h"
#include "flashing/output/OpenocdProgressParser.h"

namespace modflash {

namespace {

// openocd runs "-f FILE" as the command "script {FILE}", so a path that braces cannot hold
// literally (an unbalanced brace, a backslash, a line break) would be read as Tcl: such a path
// is run by a "script" command of its own, in double quotes with everything escaped. Other
// paths keep the plain "-f".
void addScript(std::vector<std::string>& arguments, const std::string& path) {
    if (path.find_first_of("{}\\\n\r") == std::string::npos) {
        arguments.insert(arguments.end(), {"-f", path});
        return;
    }
    arguments.insert(arguments.end(), {"-c", "script \"" + escapeForOpenocdQuotes(path) + "\""});
}

} // namespace

OpenocdProfile::OpenocdProfile()
    : FamilyProfile(
          {"swd",
           "openocd",
           "bin",
           {LogTexts::firstSwdNote, LogTexts::secondSwdNote},
           // "Error: libusb_open() failed with LIBUSB_ERROR_ACCESS", then "Error: open failed".
           {"LIBUSB_ERROR_ACCESS", "libusb requires write access"},
           {{{"open failed", "unable to open", "No such device"},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "Connect the ST-Link probe by USB, and choose the one you use in the "
                 "preferences.")},
            {{"target voltage", "init mode failed", "unable to connect", "not halted", "timed out",
              "not examined"},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "The module does not answer: check the SWD cable and that the module is "
                 "powered.")},
            {{"checksum mismatch", "verify", "verification"},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "The module reads back other data than was written: write it again, and "
                 "check the SWD cable.")},
            {{},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "Check the SWD cable, the module's power and the ST-Link probe chosen in "
                 "the preferences.")}}}) {}

const OpenocdProfile& OpenocdProfile::instance() {
    static const OpenocdProfile profile;
    return profile;
}

UpdateTask OpenocdProfile::command(const Firmware& firmware, const ResourceDirectory& resources,
                                   const Preferences& preferences) const {
    UpdateTask task;
    task.launchPath = executableResource(resources, "openocd");
    // Only the exact title of the second probe selects it; anything else, even a near miss,
    // falls back to the first.
    const Programmer& probe = *stlinkProbeList().chosen(preferences);
    const std::string scripts =
        requiredResource(resources, "openocd's script directory", "openocd-scripts");
    const std::string pre =
        requiredResource(resources, "openocd's script run before writing (openocd_flash_pre.cfg)",
                         "openocd_flash_pre", "cfg");
    const std::string post =
        requiredResource(resources, "openocd's script run after verifying (openocd_flash_post.cfg)",
                         "openocd_flash_post", "cfg");

    const std::string image = escapeForOpenocdQuotes(firmware.path());
    // "-s" takes its directory literally; the "-c" commands carry the image quoted.
    task.arguments = {"-s", scripts, "-f", probe.toolChoice, "-f", "target/stm32f0x.cfg"};
    addScript(task.arguments, pre);
    task.arguments.push_back("-c flash write_image erase \"" + image + "\" 0x08000000");
    task.arguments.push_back("-c verify_image \"" + image + "\"");
    addScript(task.arguments, post);
    task.environment = toolEnvironment(resources);
    return task;
}

std::optional<DeviceRequirement>
OpenocdProfile::requiredDevice(const Preferences& preferences) const {
    return DeviceRequirement::forChoice(
        stlinkProbeList(), preferences,
        MODFLASH_TRANSLATABLE("modflash::DeviceRequirement", "probe"));
}

std::optional<ImageCheck::Requirements> OpenocdProfile::imageRequirements() const {
    return ImageCheck::Requirements::forStm32(largestFlash);
}

std::unique_ptr<ProgressParser> OpenocdProfile::progressParser() const {
    return std::make_unique<OpenocdProgressParser>();
}

} // namespace modflash
