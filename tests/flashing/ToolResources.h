#pragma once

#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "Preferences.h"
#include "ResourceDirectory.h"
#include "TemporaryResources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace modflash::testing {

// A resource directory holding every file the three commands look up, and preferences with
// the defaults the application registers at start-up.
class ToolResourcesTest : public ::testing::Test {
protected:
    ToolResourcesTest() {
        for (const char* file : {"avrdude", "avrdude.conf", "dfu-util", "dfu-util-factory",
                                 "openocd", "openocd_flash_pre.cfg", "openocd_flash_post.cfg"})
            dir.addFile(file);
        dir.addDirectory("openocd-scripts/interface");
        preferences.registerDefaults(
            {{PreferenceKey::avrProgrammer, AVRProduct::avrProgrammers().front()},
             {PreferenceKey::stlinkProgrammer, ARMSWDProduct::stlinkInterfaces().front()}});
    }

    std::string resource(const std::string& name) const { return (dir.root() / name).string(); }
    void remove(const std::string& name) { std::filesystem::remove_all(dir.root() / name); }

    TemporaryResources dir;
    ResourceDirectory resources{dir.root()};
    MemoryPreferences preferences;
};

} // namespace modflash::testing
