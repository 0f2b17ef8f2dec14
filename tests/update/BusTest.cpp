// SPDX-License-Identifier: GPL-3.0-or-later
// modflash's own libusb use on the virtual bench's bus: the device list the window's presence
// line reads, following plugging and unplugging through hotplug events, a device this user may
// not open, the flash a DFU boot loader describes in its interface's name, and the ST-Link
// probes the device line looks for. The
// test program runs with LD_LIBRARY_PATH set to a bench directory, so that the emulation is the
// libusb-1.0 it loads.
#include "TestSupport.h"
#include "flashing/DeviceRequirement.h"
#include "flashing/DfuseLayout.h"
#include "flashing/Preferences.h"
#include "flashing/Programmers.h"
#include "update/LibusbDeviceSource.h"

#include <gtest/gtest.h>
#include <libusb.h>

#include <filesystem>
#include <fstream>

namespace modflash {
namespace {

namespace fs = std::filesystem;

fs::path state;

// Never anything but the emulation: the real library would reach real devices.
bool onTheBench() {
    const char* directory = std::getenv("LD_LIBRARY_PATH");
    if (std::string(libusb_get_version()->describe) != "virtual bench" || !directory)
        return false;
    state = fs::path(directory) / "virtual-bench";
    return fs::is_directory(state);
}

void plug(const std::string& module, const std::string& settings) {
    std::ofstream(state / module) << settings;
}

TEST(VirtualBus, DeviceListFollowsPluggingAndTheBootLoaderSaysItsFlash) {
    if (!onTheBench())
        GTEST_SKIP() << "libusb-1.0 is not the virtual bench's, or LD_LIBRARY_PATH names no bench";
    for (const auto& entry : fs::directory_iterator(state))
        fs::remove(entry.path());
    LibusbDeviceSource source;
    ASSERT_EQ(std::pair(source.isAvailable(), source.usesHotplug()), std::pair(true, true));
    EXPECT_TRUE(source.devices().empty());
    const UsbId usbtiny{0x1781, 0x0c9f}, dfu{0x0483, 0xdf11};
    plug("usbtiny", "part m168\n");
    EXPECT_TRUE(testing::eventually([&] { return source.devices() == std::vector{usbtiny}; }));
    EXPECT_FALSE(source.dfuMemoryLayout(usbtiny));
    // Listed all the same, a device whose node this user may not open says so when opened.
    EXPECT_TRUE(source.mayOpen(usbtiny) && source.mayOpen(dfu));
    plug("usbtiny", "part m168\nno-access\n");
    EXPECT_TRUE(testing::eventually([&] { return !source.mayOpen(usbtiny); }));
    EXPECT_EQ(source.devices(), std::vector{usbtiny});
    for (const auto& [layout, flash] : {std::pair{"f4", 1024 * 1024}, {"f0", 128 * 1024}}) {
        plug("dfu", std::string("layout ") + layout + "\n");
        EXPECT_TRUE(testing::eventually([&] { return source.devices().size() == 2; }));
        const auto name = LibusbDeviceSource::readDfuMemoryLayout(dfu);
        ASSERT_TRUE(name) << layout;
        EXPECT_EQ(source.dfuMemoryLayout(dfu), name);
        EXPECT_EQ(DfuseLayout::flashForImages(*name), flash) << *name;
        fs::rename(state / "dfu", state / "dfu.unplugged");
        EXPECT_TRUE(testing::eventually([&] { return source.devices() == std::vector{usbtiny}; }));
    }
    // Each probe is the one its preference names.
    MemoryPreferences preferences;
    registerPreferenceDefaults(preferences);
    for (const auto& [probe, choice] : {std::pair{"v2", "ST-Link v2"}, {"v2-1", "ST-Link v2-1"}}) {
        plug("stlink", std::string("probe ") + probe + "\nchip f0\n");
        preferences.setString(PreferenceKey::stlinkProgrammer, choice);
        const auto need = DeviceRequirement::forChoice(stlinkProbeList(), preferences, "probe");
        EXPECT_TRUE(testing::eventually([&] { return need.isMetBy(source.devices()); })) << probe;
    }
}

} // namespace
} // namespace modflash
