// SPDX-License-Identifier: GPL-3.0-or-later
// What each family runs: commands under every preference, the programmers and probes, and the
// device an update needs. The whole argument vectors are in tests/data/core/commands.txt.
#include "Golden.h"
#include "TemporaryResources.h"
#include "catalogue/ARMProduct.h"
#include "catalogue/ARMSWDProduct.h"
#include "catalogue/AVRProduct.h"
#include "flashing/MissingResourceError.h"
#include "flashing/OpenocdQuoting.h"
#include "flashing/Preferences.h"
#include "flashing/Programmers.h"
#include "flashing/ResourceDirectory.h"
#include "flashing/UsbAccess.h"

namespace modflash {
namespace {

std::string replaced(std::string text, const std::string& path, const std::string& name) {
    for (std::size_t at = 0; (at = text.find(path, at)) != std::string::npos; at += name.size())
        text.replace(at, path.size(), name);
    return text;
}

class Command : public ::testing::Test {
protected:
    Command() {
        for (const char* file : {"avrdude", "avrdude.conf", "dfu-util", "dfu-util-factory",
                                 "openocd", "openocd_flash_pre.cfg", "openocd_flash_post.cfg"})
            dir.addFile(file);
        dir.addDirectory("openocd-scripts/interface");
        registerPreferenceDefaults(preferences);
    }

    // The launch path, each argument on a line of its own and the environment, with the
    // resource directory written $R.
    std::string run(const Product& product, const std::string& image = "/i/x 1.bin") {
        const UpdateTask task =
            product.createUpdateTask(Firmware(image, ""), resources, preferences);
        std::string text = "run " + task.launchPath + "\n";
        for (const auto& argument : task.arguments)
            text += "    " + argument + "\n";
        for (const auto& [name, value] : task.environment)
            text += "    with " + name + "=" + value + "\n";
        return replaced(text, dir.root().string(), "$R");
    }
    std::string requirement(const Product& product, const std::vector<UsbId>& present) {
        return product.requiredDevice(preferences)->message(present) + "\n";
    }

    testing::TemporaryResources dir;
    ResourceDirectory resources{dir.root()};
    MemoryPreferences preferences;
    ProductPtr wendrel = ARMProduct::productWithTitle("Wendrel", "Wendrel.");
    ProductPtr zembro = ARMSWDProduct::productWithTitle("Z", "zembro_");
    ProductPtr drovel = AVRProduct::productWithTitle("D", "drovel_", 0);
};

// A wrong fuse can lock a chip for good, so every chip's command is in the file whole.
TEST_F(Command, EveryFamilysCommandUnderEachPreferenceAndDeviceLine) {
    std::string text;
    for (int cpu = 0; cpu < 5; ++cpu)
        text += "== AVR chip " + std::to_string(cpu) + "\n" +
                run(*AVRProduct::productWithTitle("P", "p_", cpu), "/i/x 1.hex");
    EXPECT_THROW(run(*AVRProduct::productWithTitle("P", "p_", 5)), std::out_of_range);
    EXPECT_THROW(run(*AVRProduct::productWithTitle("P", "p_", -1)), std::out_of_range);
    for (bool factory : {false, true}) {
        for (bool massErase : {false, true}) {
            preferences.setBool(PreferenceKey::enableFactoryFirmware, factory);
            preferences.setBool(PreferenceKey::massEraseBeforeProgramming, massErase);
            text += "== dfu-util, factory " + std::to_string(factory) + ", mass erase " +
                    std::to_string(massErase) + "\n" + run(*wendrel);
        }
    }
    text += "== dfu-util at another address and device\n" +
            run(*ARMProduct::productWithTitle("X", "X.", "0x08004000", "1209:db42"));
    text += "== openocd: every path literally\n" + run(*zembro, R"(/my x/"[$HOME]"\{.bin)");
    // Stored programmer and probe names: avrdude knows programmers modflash does not offer (a
    // bare "-c" would make it take "-Pusb" for the programmer); a probe must be named exactly.
    for (const char* stored : {"avrisp2", "usbasp", "stk500v2", ""}) {
        preferences.setString(PreferenceKey::avrProgrammer, stored);
        text += "== programmer \"" + std::string(stored) + "\"\n" + run(*drovel);
    }
    for (const char* stored : {"ST-Link v2-1", "ST-Link v2", "st-link v2-1", "ST-Link v2-1 "}) {
        preferences.setString(PreferenceKey::stlinkProgrammer, stored);
        text += "== probe \"" + std::string(stored) + "\"\n" + run(*zembro);
    }
    preferences = MemoryPreferences(); // nothing stored, no defaults registered
    text += "== no preferences at all\n" + run(*drovel) + run(*zembro);

    const UsbId usbtiny{0x1781, 0x0c9f}, usbasp{0x16c0, 0x05dc}, dfu{0x0483, 0xdf11},
        v2{0x0483, 0x3748}, v21{0x0483, 0x3752};
    registerPreferenceDefaults(preferences);
    text += "== device lines\n" + requirement(*drovel, {usbtiny}) + requirement(*drovel, {dfu}) +
            requirement(*drovel, {dfu, usbasp}) + requirement(*wendrel, {v2}) +
            requirement(*wendrel, {dfu});
    preferences.setString(PreferenceKey::stlinkProgrammer, "ST-Link v2-1");
    text += requirement(*zembro, {v21}) + requirement(*zembro, {v2});
    preferences.setString(PreferenceKey::avrProgrammer, "stk500v2");
    text += requirement(*drovel, {usbtiny});

    text += "== without each resource\n";
    for (const auto& [name, product] : {std::pair{"avrdude.conf", drovel},
                                        {"openocd-scripts", zembro},
                                        {"openocd_flash_pre.cfg", zembro},
                                        {"openocd_flash_post.cfg", zembro}}) {
        std::filesystem::remove_all(dir.root() / name);
        try {
            text += run(*product);
        } catch (const MissingResourceError& error) {
            text += replaced(error.what(), dir.root().string(), "$R") + "\n";
        }
        dir.addFile(name);
    }
    // A missing executable is the run's to report: the command names where it should be.
    std::filesystem::remove(dir.root() / "dfu-util");
    text += run(*wendrel);
    testing::expectMatchesGolden("commands.txt", text);
}

// openocd reads "-f FILE" as "script {FILE}": a path braces cannot hold goes quoted.
TEST_F(Command, OpenocdQuotesAResourcePathThatBracesCannotHold) {
    EXPECT_EQ(escapeForOpenocdQuotes("/a b/it's_{x}.bin"), "/a b/it's_{x}.bin");
    testing::TemporaryResources hostile;
    const auto root = hostile.addDirectory("x} [exec touch /tmp/y] {\\");
    for (const char* file : {"openocd_flash_pre.cfg", "openocd_flash_post.cfg"})
        hostile.addFile(root + "/" + file);
    hostile.addDirectory(root + "/openocd-scripts");
    const UpdateTask task =
        zembro->createUpdateTask(Firmware("/i.bin", ""), ResourceDirectory(root), preferences);
    std::string text;
    for (const auto& argument : task.arguments)
        text += replaced(argument, hostile.root().string(), "$T") + "\n";
    testing::expectMatchesGolden("openocd-hostile.txt", text);
}

// The udev rules a computer has decide what a person is told when access is refused: each line
// names a device in one of the ways rules files do, or fails to give access.
TEST(UsbAccess, FindsTheRuleThatGivesAccessAndOtherwiseSaysWhichToAdd) {
    testing::TemporaryResources etc, lib;
    etc.addFile("70-own.rules",
                "SUBSYSTEM==\"usb\", ATTR{idVendor}==\"1781\", "
                "ATTR{idProduct}==\"0C9F\", MODE=\"0666\"\n# ATTR{idVendor}==\"16c0\", "
                "ATTR{idProduct}==\"05dc\", MODE=\"0666\"\n");
    etc.addFile("README", "ATTRS{idVendor}==\"03eb\", ATTRS{idProduct}==\"2104\", MODE=\"0666\"");
    etc.addFile("80-narrow.rules",
                "ATTRS{idVendor}==\"16c0\", ATTRS{idProduct}==\"05dc\", MODE=\"0660\"");
    lib.addFile("99-seat.rules",
                "ATTRS{idVendor}==\"0483\", ATTRS{idProduct}==\"3748\", TAG+=\"uaccess\"");
    lib.addFile("60-dfu-util.rules",
                "ACTION==\"add\", SUBSYSTEM==\"usb\", ATTRS{idVendor}==\"0483\", "
                "ATTRS{idProduct}==\"df11\", TAG+=\"uaccess\"\n");
    lib.addFile("60-openocd.rules",
                "ATTRS{idVendor}==\"0483\", ATTRS{idProduct}==\"3748|3752\", "
                "GROUP=\"plugdev\"\nATTRS{idVendor}==\"0483\", "
                "ENV{ID_MM_DEVICE_IGNORE}=\"1\"\nATTRS{idProduct}==\"374b\", MODE=\"0660\"\n");
    const UsbAccess access(
        {etc.root().string(), (lib.root() / "none").string(), lib.root().string()});
    std::string text;
    for (const std::vector<UsbId>& ids :
         std::vector<std::vector<UsbId>>{{{0x1781, 0x0c9f}},
                                         {{0x16c0, 0x05dc}},
                                         {{0x03eb, 0x2104}},
                                         {{0x0483, 0xdf11}},
                                         {{0x0483, 0x3748}},
                                         {{0x0483, 0x374b}, {0x0483, 0x3752}},
                                         {{0x0483, 0x374b}, {0x0483, 0x3753}},
                                         {}})
        text += (ids.empty() ? "none" : ids.front().text()) + " (" + std::to_string(ids.size()) +
                "): " + access.advice("device", ids) + "\n";
    text += access.advice(std::nullopt) + "\n";
    testing::expectMatchesGolden(
        "usb-access.txt",
        replaced(replaced(text, etc.root().string(), "$ETC"), lib.root().string(), "$LIB"));
}

TEST(Programmers, WhatAPersonMayTypeOnTheCommandLine) {
    EXPECT_EQ(stlinkProbeList().findTyped("V2-1")->name, "ST-Link v2-1");
    EXPECT_EQ(stlinkProbeList().findTyped("st-link v2")->name, "ST-Link v2");
    EXPECT_EQ(avrProgrammerList().findTyped("USBasp")->name, "usbasp");
    EXPECT_EQ(avrProgrammerList().findTyped("v2"), nullptr);
    EXPECT_EQ(UsbId::parse("1781:C9F"), (UsbId{0x1781, 0x0c9f}));
    for (const char* bad : {"", "0483", ":df11", "0483:df11x", "10483:df11"})
        EXPECT_FALSE(UsbId::parse(bad)) << bad;
}

} // namespace
} // namespace modflash
