#include "AVRProduct.h"
#include "MissingResourceError.h"
#include "ToolEnvironment.h"
#include "ToolResources.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace modflash {
namespace {

using Arguments = std::vector<std::string>;

class AVRCommandTest : public testing::ToolResourcesTest {
protected:
    UpdateTask commandFor(int cpu, const std::string& image = "/img/parvonne_1.0.hex") {
        const auto product = AVRProduct::productWithTitle("Parvonne", "parvonne_", cpu);
        return product->createUpdateTask(Firmware(image, "parvonne_"), resources, preferences);
    }
};

TEST_F(AVRCommandTest, ProgrammersAreOfferedInOrder) {
    EXPECT_EQ(AVRProduct::avrProgrammers(), (Arguments{"usbtiny", "avrisp2", "usbasp"}));
}

TEST_F(AVRCommandTest, WorkedExampleWithAvrisp2) {
    preferences.setString(PreferenceKey::avrProgrammer, "avrisp2");
    const UpdateTask task = commandFor(1);
    EXPECT_EQ(task.launchPath, resource("avrdude"));
    EXPECT_EQ(task.arguments,
              (Arguments{"-C" + resource("avrdude.conf"), "-F", "-cavrisp2", "-Pusb", "-patmega328",
                         "-Uflash:w:/img/parvonne_1.0.hex:i", "-Uhfuse:w:0xDA:m",
                         "-Ulfuse:w:0xFF:m", "-Uefuse:w:0x05:m"}));
    EXPECT_EQ(task.environment,
              (std::map<std::string, std::string>{{loaderPathVariable, dir.root().string()}}));
}

TEST_F(AVRCommandTest, EveryChipGetsItsPartAndFuses) {
    const std::vector<Arguments> tails = {
        {"-patmega168", "-Uflash:w:/img/parvonne_1.0.hex:i", "-Uhfuse:w:0xDD:m", "-Ulfuse:w:0xFF:m",
         "-Uefuse:w:0x00:m"},
        {"-patmega328", "-Uflash:w:/img/parvonne_1.0.hex:i", "-Uhfuse:w:0xDA:m", "-Ulfuse:w:0xFF:m",
         "-Uefuse:w:0x05:m"},
        // The attiny44 has no extended fuse, so nothing is written to one.
        {"-pattiny44", "-Uflash:w:/img/parvonne_1.0.hex:i", "-Uhfuse:w:0xDF:m", "-Ulfuse:w:0xFF:m"},
        {"-pattiny45", "-Uflash:w:/img/parvonne_1.0.hex:i", "-Uhfuse:w:0xDF:m", "-Ulfuse:w:0x62:m",
         "-Uefuse:w:0xFF:m"},
        {"-pattiny85", "-Uflash:w:/img/parvonne_1.0.hex:i", "-Uhfuse:w:0xD7:m", "-Ulfuse:w:0xE2:m",
         "-Uefuse:w:0xFF:m"},
    };
    for (int cpu = 0; cpu < 5; ++cpu) {
        SCOPED_TRACE(cpu);
        Arguments expected = {"-C" + resource("avrdude.conf"), "-F", "-cusbtiny", "-Pusb"};
        expected.insert(expected.end(), tails[cpu].begin(), tails[cpu].end());
        EXPECT_EQ(commandFor(cpu).arguments, expected);
    }
    EXPECT_EQ(commandFor(2).arguments.size(), 8u);
}

TEST_F(AVRCommandTest, ChipOutsideTheTableGetsNoCommand) {
    EXPECT_THROW(commandFor(5), std::out_of_range);
    EXPECT_THROW(commandFor(-1), std::out_of_range);
}

TEST_F(AVRCommandTest, ProgrammerIsReadAnewAndUsedAsStored) {
    const Arguments first = commandFor(4).arguments;
    for (const std::string programmer : {"usbasp", "avrisp2", "some-other-programmer"}) {
        preferences.setString(PreferenceKey::avrProgrammer, programmer);
        Arguments expected = first;
        expected[2] = "-c" + programmer;
        EXPECT_EQ(commandFor(4).arguments, expected);
    }
}

TEST_F(AVRCommandTest, EmptyProgrammerFallsBackToTheDefaultInsteadOfShiftingTheOptions) {
    preferences.setString(PreferenceKey::avrProgrammer, "");
    EXPECT_EQ(commandFor(1).arguments[2], "-cusbtiny");
    MemoryPreferences nothingRegistered;
    const auto product = AVRProduct::productWithTitle("Drovel", "drovel_", 0);
    EXPECT_EQ(product->createUpdateTask(Firmware("/d.hex", ""), resources, nothingRegistered)
                  .arguments[2],
              "-cusbtiny");
}

TEST_F(AVRCommandTest, OddImagePathStaysOneElementUnquoted) {
    const std::string image = "/my images/it's \"new\" [1] $HOME\\x.hex";
    const Arguments arguments = commandFor(3, image).arguments;
    ASSERT_EQ(arguments.size(), 9u);
    EXPECT_EQ(arguments[5], "-Uflash:w:" + image + ":i");
}

TEST_F(AVRCommandTest, MissingConfFileIsReportedWithWhereItWasLookedFor) {
    remove("avrdude.conf");
    try {
        commandFor(1);
        FAIL() << "a command without avrdude's configuration was built";
    } catch (const MissingResourceError& error) {
        EXPECT_EQ(error.expectedPath(), resource("avrdude.conf"));
        EXPECT_NE(std::string(error.what()).find(resource("avrdude.conf")), std::string::npos)
            << error.what();
    }
}

TEST_F(AVRCommandTest, MissingExecutableStillNamesWhereItShouldBe) {
    remove("avrdude");
    EXPECT_EQ(commandFor(1).launchPath, resource("avrdude"));
}

} // namespace
} // namespace modflash
