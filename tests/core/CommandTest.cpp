// SPDX-License-Identifier: GPL-3.0-or-later
// What each family runs: commands under every preference, the programmers and probes, the
// device an update needs, and the log's verdict for each way a tool can end.
#include "ARMProduct.h"
#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "FamilyProfile.h"
#include "LogTexts.h"
#include "MissingResourceError.h"
#include "OpenocdQuoting.h"
#include "Preferences.h"
#include "Programmers.h"
#include "ResourceDirectory.h"
#include "TemporaryResources.h"
#include "ToolEnd.h"

#include <gtest/gtest.h>

namespace modflash {
namespace {

using Arguments = std::vector<std::string>;

class Command : public ::testing::Test {
protected:
    Command() {
        for (const char* file : {"avrdude", "avrdude.conf", "dfu-util", "dfu-util-factory",
                                 "openocd", "openocd_flash_pre.cfg", "openocd_flash_post.cfg"})
            dir.addFile(file);
        dir.addDirectory("openocd-scripts/interface");
        registerPreferenceDefaults(preferences);
    }

    std::string at(const std::string& name) const { return (dir.root() / name).string(); }
    UpdateTask command(const Product& product, const std::string& image = "/i/x 1.bin") {
        return product.createUpdateTask(Firmware(image, ""), resources, preferences);
    }
    UpdateTask avr(int cpu, const std::string& image = "/i/x 1.hex") {
        return command(*AVRProduct::productWithTitle("P", "p_", cpu), image);
    }
    std::string requirement(const Product& product, const std::vector<UsbId>& present) {
        return product.requiredDevice(preferences)->message(present);
    }

    testing::TemporaryResources dir;
    ResourceDirectory resources{dir.root()};
    MemoryPreferences preferences;
    ProductPtr wendrel = ARMProduct::productWithTitle("Wendrel", "Wendrel.");
    ProductPtr zembro = ARMSWDProduct::productWithTitle("Z", "zembro_");
    ProductPtr drovel = AVRProduct::productWithTitle("D", "drovel_", 0);
};

// A wrong fuse can lock a chip for good, so every chip's values are checked.
TEST_F(Command, AvrdudeWritesImageAndEveryChipsFuses) {
    const std::string chips[] = {"-patmega168 -Uhfuse:w:0xDD:m -Ulfuse:w:0xFF:m -Uefuse:w:0x00:m",
                                 "-patmega328 -Uhfuse:w:0xDA:m -Ulfuse:w:0xFF:m -Uefuse:w:0x05:m",
                                 "-pattiny44 -Uhfuse:w:0xDF:m -Ulfuse:w:0xFF:m",
                                 "-pattiny45 -Uhfuse:w:0xDF:m -Ulfuse:w:0x62:m -Uefuse:w:0xFF:m",
                                 "-pattiny85 -Uhfuse:w:0xD7:m -Ulfuse:w:0xE2:m -Uefuse:w:0xFF:m"};
    for (int cpu = 0; cpu < 5; ++cpu) {
        const UpdateTask task = avr(cpu);
        EXPECT_EQ(task.launchPath, at("avrdude"));
        EXPECT_EQ(Arguments(task.arguments.begin(), task.arguments.begin() + 4),
                  (Arguments{"-C" + at("avrdude.conf"), "-F", "-cusbtiny", "-Pusb"}));
        EXPECT_EQ(task.arguments[5], "-Uflash:w:/i/x 1.hex:i");
        std::string chip = task.arguments[4];
        for (std::size_t i = 6; i < task.arguments.size(); ++i)
            chip += " " + task.arguments[i];
        EXPECT_EQ(chip, chips[cpu]);
        EXPECT_EQ(task.environment,
                  (std::map<std::string, std::string>{{"LD_LIBRARY_PATH", dir.root().string()}}));
    }
    EXPECT_THROW(avr(5), std::out_of_range);
    EXPECT_THROW(avr(-1), std::out_of_range);
}

TEST_F(Command, ProgrammerAndProbeChoicesWithTheirFallbacks) {
    const struct {
        const char* stored; // nullptr: nothing stored and no default registered
        const char* programmer;
        const char* probeStored;
        const char* probeScript;
    } cases[] = {
        {"avrisp2", "-cavrisp2", "ST-Link v2-1", "interface/stlink-v2-1.cfg"},
        {"usbasp", "-cusbasp", "ST-Link v2", "interface/stlink-v2.cfg"},
        // avrdude knows programmers modflash does not offer; a probe must be named exactly.
        {"stk500v2", "-cstk500v2", "st-link v2-1", "interface/stlink-v2.cfg"},
        // A bare "-c" would make avrdude take "-Pusb" for the programmer.
        {"", "-cusbtiny", "ST-Link v2-1 ", "interface/stlink-v2.cfg"},
        {nullptr, "-cusbtiny", nullptr, "interface/stlink-v2.cfg"},
    };
    for (const auto& c : cases) {
        preferences = MemoryPreferences();
        if (c.stored) {
            preferences.setString(PreferenceKey::avrProgrammer, c.stored);
            preferences.setString(PreferenceKey::stlinkProgrammer, c.probeStored);
        }
        EXPECT_EQ(avr(1).arguments[2], c.programmer);
        EXPECT_EQ(command(*zembro).arguments[3], c.probeScript);
    }
    EXPECT_EQ(AVRProduct::avrProgrammers(), (Arguments{"usbtiny", "avrisp2", "usbasp"}));
    EXPECT_EQ(ARMSWDProduct::stlinkInterfaces(), (Arguments{"ST-Link v2", "ST-Link v2-1"}));
    // What a person may type on the command line.
    EXPECT_EQ(stlinkProbeList().findTyped("V2-1")->name, "ST-Link v2-1");
    EXPECT_EQ(stlinkProbeList().findTyped("st-link v2")->name, "ST-Link v2");
    EXPECT_EQ(avrProgrammerList().findTyped("USBasp")->name, "usbasp");
    EXPECT_EQ(avrProgrammerList().findTyped("v2"), nullptr);
}

TEST_F(Command, DfuUtilUnderEachPreference) {
    for (bool factory : {false, true}) {
        for (bool massErase : {false, true}) {
            preferences.setBool(PreferenceKey::enableFactoryFirmware, factory);
            preferences.setBool(PreferenceKey::massEraseBeforeProgramming, massErase);
            const UpdateTask task = command(*wendrel);
            EXPECT_EQ(task.launchPath, at(factory ? "dfu-util-factory" : "dfu-util"));
            EXPECT_EQ(task.arguments, (Arguments{"-a", "0", "-s",
                                                 massErase ? "0x08000000:leave:mass-erase:force"
                                                           : "0x08000000:leave",
                                                 "-D", "/i/x 1.bin", "-d", "0483:df11"}));
        }
    }
    const auto other = ARMProduct::productWithTitle("X", "X.", "0x08004000", "1209:db42");
    const Arguments arguments = command(*other).arguments;
    EXPECT_EQ(arguments[3] + " " + arguments[7], "0x08004000:leave:mass-erase:force 1209:db42");
}

TEST_F(Command, OpenocdGetsEveryPathLiterally) {
    EXPECT_EQ(command(*zembro, R"(/my x/"[$HOME]"\{.bin)").arguments,
              (Arguments{"-s", at("openocd-scripts"), "-f", "interface/stlink-v2.cfg", "-f",
                         "target/stm32f0x.cfg", "-f", at("openocd_flash_pre.cfg"),
                         R"(-c flash write_image erase "/my x/\"\[\$HOME\]\"\\{.bin" 0x08000000)",
                         R"(-c verify_image "/my x/\"\[\$HOME\]\"\\{.bin")", "-f",
                         at("openocd_flash_post.cfg")}));
    EXPECT_EQ(escapeForOpenocdQuotes("/a b/it's_{x}.bin"), "/a b/it's_{x}.bin");
    // openocd reads "-f FILE" as "script {FILE}": a path braces cannot hold goes quoted.
    testing::TemporaryResources hostile;
    const auto root = hostile.addDirectory("x} [exec touch /tmp/y] {\\");
    for (const char* file : {"openocd_flash_pre.cfg", "openocd_flash_post.cfg"})
        hostile.addFile(root + "/" + file);
    hostile.addDirectory(root + "/openocd-scripts");
    const Arguments arguments =
        zembro->createUpdateTask(Firmware("/i.bin", ""), ResourceDirectory(root), preferences)
            .arguments;
    ASSERT_EQ(arguments.size(), 12u);
    const std::string quoted = R"(x} \[exec touch /tmp/y\] {\\)";
    EXPECT_EQ(arguments[6] + " " + arguments[7],
              "-c script \"" + hostile.root().string() + "/" + quoted + "/openocd_flash_pre.cfg\"");
    EXPECT_EQ(arguments[10], "-c");
}

TEST_F(Command, MissingResourcesNameWhereTheyWereLookedFor) {
    for (const auto& [name, product] : {std::pair{"avrdude.conf", drovel},
                                        {"openocd-scripts", zembro},
                                        {"openocd_flash_pre.cfg", zembro},
                                        {"openocd_flash_post.cfg", zembro}}) {
        std::filesystem::remove_all(dir.root() / name);
        try {
            command(*product);
            ADD_FAILURE() << "a command without " << name << " was built";
        } catch (const MissingResourceError& error) {
            EXPECT_NE(std::string(error.what()).find(at(name)), std::string::npos);
        }
        dir.addFile(name);
    }
    // A missing executable is the run's to report: the command names where it should be.
    std::filesystem::remove(dir.root() / "dfu-util");
    EXPECT_EQ(command(*wendrel).launchPath, at("dfu-util"));
}

TEST_F(Command, DeviceLineNamesTheDeviceAndWhatToCheck) {
    const UsbId usbtiny{0x1781, 0x0c9f}, usbasp{0x16c0, 0x05dc}, dfu{0x0483, 0xdf11},
        v2{0x0483, 0x3748}, v21{0x0483, 0x3752};
    EXPECT_EQ(requirement(*drovel, {usbtiny}), "USBtiny programmer found (USB 1781:0c9f)");
    EXPECT_EQ(requirement(*drovel, {dfu}), "No USBtiny programmer found: connect it by USB, or "
                                           "choose the programmer you use in the preferences");
    EXPECT_EQ(requirement(*drovel, {dfu, usbasp}),
              "No USBtiny programmer found, but a USBasp programmer is connected: choose "
              "\"usbasp\" as the programmer in the preferences");
    EXPECT_EQ(requirement(*wendrel, {v2}), "No DFU boot loader found: put the module into its "
                                           "boot loader mode as the instructions say");
    EXPECT_EQ(requirement(*wendrel, {dfu}), "DFU boot loader found (USB 0483:df11)");
    preferences.setString(PreferenceKey::stlinkProgrammer, "ST-Link v2-1");
    EXPECT_EQ(requirement(*zembro, {v21}), "ST-Link v2-1 probe found (USB 0483:3752)");
    EXPECT_EQ(requirement(*zembro, {v2}),
              "No ST-Link v2-1 probe found, but an ST-Link v2 probe is connected: choose "
              "\"ST-Link v2\" as the probe in the preferences");
    preferences.setString(PreferenceKey::avrProgrammer, "stk500v2");
    EXPECT_EQ(requirement(*drovel, {usbtiny}),
              "modflash does not know the USB id of the programmer \"stk500v2\", so it cannot "
              "tell whether it is connected");
    EXPECT_EQ(UsbId::parse("1781:C9F"), (UsbId{0x1781, 0x0c9f}));
    for (const char* bad : {"", "0483", ":df11", "0483:df11x", "10483:df11"})
        EXPECT_FALSE(UsbId::parse(bad)) << bad;
}

TEST(ToolEnd, ExitDecidesAndEachEndGetsItsLogVerdict) {
    using Kind = ToolEnd::Kind;
    const struct {
        bool normal;
        int status;
        bool stopped;
        Kind kind;
    } cases[] = {{true, 0, false, Kind::Completed}, {true, 0, true, Kind::Completed},
                 {true, 74, false, Kind::Failed},   {true, 1, true, Kind::Stopped},
                 {false, 0, false, Kind::Crashed},  {false, 9, true, Kind::Stopped}};
    const Arguments notes{LogTexts::firstDfuNote, LogTexts::secondDfuNote};
    for (const auto& c : cases) {
        const ToolEnd end = ToolEnd::fromExit(c.normal, c.status, c.stopped);
        EXPECT_EQ(end.kind, c.kind) << c.status;
        EXPECT_EQ(FamilyProfile::none().verdictTexts(end),
                  c.kind == Kind::Completed ? Arguments{"UPDATE COMPLETED SUCCESSFULLY\n"} : notes);
    }
    EXPECT_EQ(ToolEnd::fromExit(true, 74, false).exitStatus, 74);
    EXPECT_EQ(FamilyProfile::none().verdictTexts(ToolEnd::couldNotRun("x")),
              Arguments{"ERROR DURING UPDATE\n"});
}

} // namespace
} // namespace modflash
