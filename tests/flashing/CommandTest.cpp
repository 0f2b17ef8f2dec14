// The three families' commands, built against a resource directory made per test that holds
// every file they look up, with the preferences' start-up defaults registered.
#include "ARMProduct.h"
#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "MissingResourceError.h"
#include "OpenocdQuoting.h"
#include "Preferences.h"
#include "ResourceDirectory.h"
#include "TemporaryResources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace modflash {
namespace {

using Arguments = std::vector<std::string>;

class CommandTest : public ::testing::Test {
protected:
    CommandTest() {
        for (const char* file : {"avrdude", "avrdude.conf", "dfu-util", "dfu-util-factory",
                                 "openocd", "openocd_flash_pre.cfg", "openocd_flash_post.cfg"})
            dir.addFile(file);
        dir.addDirectory("openocd-scripts/interface");
        preferences.registerDefaults(
            {{PreferenceKey::avrProgrammer, AVRProduct::avrProgrammers().front()},
             {PreferenceKey::stlinkProgrammer, ARMSWDProduct::stlinkInterfaces().front()}});
    }

    std::string resource(const std::string& name) const { return (dir.root() / name).string(); }

    UpdateTask commandFor(const Product& product, const std::string& image) {
        return product.createUpdateTask(Firmware(image, product.prefix()), resources, preferences);
    }
    UpdateTask avr(int cpu, const std::string& image = "/img/parvonne_1.0.hex") {
        return commandFor(*AVRProduct::productWithTitle("P", "parvonne_", cpu), image);
    }
    UpdateTask dfu(const std::string& image = "/img/W.2.0.bin") {
        return commandFor(*wendrel, image);
    }
    UpdateTask swd(const std::string& image = "/img/zembro_1.0.bin") {
        return commandFor(*zembro, image);
    }

    void expectMissing(const std::string& name, const std::function<void()>& build) {
        std::filesystem::remove_all(dir.root() / name);
        try {
            build();
            ADD_FAILURE() << "a command without " << name << " was built";
        } catch (const MissingResourceError& error) {
            EXPECT_EQ(error.expectedPath(), resource(name));
            EXPECT_NE(std::string(error.what()).find(resource(name)), std::string::npos);
        }
        dir.addFile(name);
    }

    testing::TemporaryResources dir;
    ResourceDirectory resources{dir.root()};
    MemoryPreferences preferences;
    const std::map<std::string, std::string> environment{{"LD_LIBRARY_PATH", dir.root().string()}};
    std::shared_ptr<const ARMProduct> wendrel = ARMProduct::productWithTitle("Wendrel", "Wendrel.");
    std::shared_ptr<const ARMSWDProduct> zembro = ARMSWDProduct::productWithTitle("Z", "zembro_");
};

TEST_F(CommandTest, AvrdudeWorkedExampleWithAvrisp2) {
    preferences.setString(PreferenceKey::avrProgrammer, "avrisp2");
    const UpdateTask task = avr(1);
    EXPECT_EQ(task.launchPath, resource("avrdude"));
    EXPECT_EQ(task.arguments,
              (Arguments{"-C" + resource("avrdude.conf"), "-F", "-cavrisp2", "-Pusb", "-patmega328",
                         "-Uflash:w:/img/parvonne_1.0.hex:i", "-Uhfuse:w:0xDA:m",
                         "-Ulfuse:w:0xFF:m", "-Uefuse:w:0x05:m"}));
    EXPECT_EQ(task.environment, environment);
}

// A wrong fuse can lock a chip for good, so every chip's values are checked.
TEST_F(CommandTest, AvrdudeEveryChipGetsItsPartAndFuses) {
    const std::vector<std::string> chips = {
        "-patmega168 -Uhfuse:w:0xDD:m -Ulfuse:w:0xFF:m -Uefuse:w:0x00:m",
        "-patmega328 -Uhfuse:w:0xDA:m -Ulfuse:w:0xFF:m -Uefuse:w:0x05:m",
        "-pattiny44 -Uhfuse:w:0xDF:m -Ulfuse:w:0xFF:m", // no extended fuse to write
        "-pattiny45 -Uhfuse:w:0xDF:m -Ulfuse:w:0x62:m -Uefuse:w:0xFF:m",
        "-pattiny85 -Uhfuse:w:0xD7:m -Ulfuse:w:0xE2:m -Uefuse:w:0xFF:m"};
    for (int cpu = 0; cpu < 5; ++cpu) {
        const Arguments arguments = avr(cpu).arguments;
        std::string chip = arguments[4];
        for (std::size_t i = 6; i < arguments.size(); ++i)
            chip += " " + arguments[i];
        EXPECT_EQ(chip, chips[cpu]);
        EXPECT_EQ(arguments[5], "-Uflash:w:/img/parvonne_1.0.hex:i");
    }
    EXPECT_THROW(avr(5), std::out_of_range);
    EXPECT_THROW(avr(-1), std::out_of_range);
}

TEST_F(CommandTest, AvrdudeProgrammerIsReadAnewAndAnEmptyOneFallsBackToTheDefault) {
    EXPECT_EQ(AVRProduct::avrProgrammers(), (Arguments{"usbtiny", "avrisp2", "usbasp"}));
    const Arguments first = avr(4).arguments;
    for (const std::string programmer : {"usbasp", "some-other-programmer"}) {
        preferences.setString(PreferenceKey::avrProgrammer, programmer);
        Arguments expected = first;
        expected[2] = "-c" + programmer;
        EXPECT_EQ(avr(4).arguments, expected);
    }
    // An empty "-c" would make avrdude read "-Pusb" as the programmer id.
    preferences.setString(PreferenceKey::avrProgrammer, "");
    EXPECT_EQ(avr(1).arguments[2], "-cusbtiny");
    MemoryPreferences nothingRegistered;
    EXPECT_EQ(AVRProduct::productWithTitle("D", "drovel_", 0)
                  ->createUpdateTask(Firmware("/d.hex", ""), resources, nothingRegistered)
                  .arguments[2],
              "-cusbtiny");
}

TEST_F(CommandTest, DfuUtilUnderEachPreference) {
    const UpdateTask task = dfu();
    EXPECT_EQ(task.launchPath, resource("dfu-util"));
    EXPECT_EQ(task.arguments, (Arguments{"-a", "0", "-s", "0x08000000:leave", "-D",
                                         "/img/W.2.0.bin", "-d", "0483:df11"}));
    EXPECT_EQ(task.environment, environment);
    // Factory firmware changes only the executable; mass erase only the address element.
    for (bool factory : {false, true}) {
        for (bool massErase : {false, true}) {
            preferences.setBool(PreferenceKey::enableFactoryFirmware, factory);
            preferences.setBool(PreferenceKey::massEraseBeforeProgramming, massErase);
            Arguments expected = task.arguments;
            expected[3] = massErase ? "0x08000000:leave:mass-erase:force" : "0x08000000:leave";
            EXPECT_EQ(dfu().arguments, expected) << factory << massErase;
            EXPECT_EQ(dfu().launchPath, resource(factory ? "dfu-util-factory" : "dfu-util"));
        }
    }
    const auto other = ARMProduct::productWithTitle("X", "X.", "0x08004000", "1209:db42");
    const Arguments arguments = commandFor(*other, "/x.bin").arguments;
    EXPECT_EQ(arguments[3] + " " + arguments[7], "0x08004000:leave:mass-erase:force 1209:db42");
}

TEST_F(CommandTest, OpenocdWithTheDefaultProbe) {
    const UpdateTask task = swd();
    EXPECT_EQ(task.launchPath, resource("openocd"));
    EXPECT_EQ(task.arguments,
              (Arguments{"-s", resource("openocd-scripts"), "-f", "interface/stlink-v2.cfg", "-f",
                         "target/stm32f0x.cfg", "-f", resource("openocd_flash_pre.cfg"),
                         "-c flash write_image erase \"/img/zembro_1.0.bin\" 0x08000000",
                         "-c verify_image \"/img/zembro_1.0.bin\"", "-f",
                         resource("openocd_flash_post.cfg")}));
    EXPECT_EQ(task.environment, environment);
}

TEST_F(CommandTest, OpenocdOnlyTheExactSecondTitleSelectsTheV21Probe) {
    EXPECT_EQ(ARMSWDProduct::stlinkInterfaces(), (Arguments{"ST-Link v2", "ST-Link v2-1"}));
    preferences.setString(PreferenceKey::stlinkProgrammer, "ST-Link v2-1");
    EXPECT_EQ(swd().arguments[3], "interface/stlink-v2-1.cfg");
    for (const std::string title : {"st-link v2-1", "ST-Link v2-1 ", "v2-1", ""}) {
        preferences.setString(PreferenceKey::stlinkProgrammer, title);
        EXPECT_EQ(swd().arguments[3], "interface/stlink-v2.cfg") << '"' << title << '"';
    }
    MemoryPreferences nothingRegistered;
    EXPECT_EQ(
        zembro->createUpdateTask(Firmware("/i.bin", ""), resources, nothingRegistered).arguments[3],
        "interface/stlink-v2.cfg");
}

TEST_F(CommandTest, OddImagePathsStayOneElementAndReachOpenocdLiterally) {
    const std::string image = "/my images/it's \"new\" [1] $HOME\\x.hex";
    EXPECT_EQ(avr(3, image).arguments.at(5), "-Uflash:w:" + image + ":i");
    EXPECT_EQ(dfu(image).arguments.at(5), image);

    EXPECT_EQ(escapeForOpenocdQuotes("/path with spaces/it's_{x}.bin"),
              "/path with spaces/it's_{x}.bin");
    EXPECT_EQ(escapeForOpenocdQuotes(R"(/a\b/"c"/[d]/$e.bin)"), R"(/a\\b/\"c\"/\[d\]/\$e.bin)");
    const Arguments arguments = swd(R"(/my x/"[$HOME]".bin)").arguments;
    ASSERT_EQ(arguments.size(), 12u);
    EXPECT_EQ(arguments[8], R"(-c flash write_image erase "/my x/\"\[\$HOME\]\".bin" 0x08000000)");
    EXPECT_EQ(arguments[9], R"(-c verify_image "/my x/\"\[\$HOME\]\".bin")");
}

TEST_F(CommandTest, MissingResourcesAreReportedWithWhereTheyWereLookedFor) {
    expectMissing("avrdude.conf", [&] { avr(1); });
    for (const char* name : {"openocd-scripts", "openocd_flash_pre.cfg", "openocd_flash_post.cfg"})
        expectMissing(name, [&] { swd(); });
    // A missing executable is the run's to report; the command still names where it should be.
    for (const char* name : {"avrdude", "dfu-util", "openocd"})
        std::filesystem::remove(dir.root() / name);
    EXPECT_EQ(avr(1).launchPath, resource("avrdude"));
    EXPECT_EQ(dfu().launchPath, resource("dfu-util"));
    EXPECT_EQ(swd().launchPath, resource("openocd"));
}

} // namespace
} // namespace modflash
