#include "ARMSWDProduct.h"
#include "MissingResourceError.h"
#include "OpenocdQuoting.h"
#include "ToolEnvironment.h"
#include "ToolResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace modflash {
namespace {

using Arguments = std::vector<std::string>;

class SWDCommandTest : public testing::ToolResourcesTest {
protected:
    UpdateTask commandFor(const std::string& image = "/img/zembro_1.0.bin") {
        return zembro->createUpdateTask(Firmware(image, "zembro_"), resources, preferences);
    }

    std::shared_ptr<const ARMSWDProduct> zembro =
        ARMSWDProduct::productWithTitle("Zembro", "zembro_");
};

TEST_F(SWDCommandTest, InterfacesAreOfferedInOrder) {
    EXPECT_EQ(ARMSWDProduct::stlinkInterfaces(), (Arguments{"ST-Link v2", "ST-Link v2-1"}));
}

TEST_F(SWDCommandTest, DefaultInterface) {
    const UpdateTask task = commandFor();
    EXPECT_EQ(task.launchPath, resource("openocd"));
    EXPECT_EQ(task.arguments,
              (Arguments{"-s", resource("openocd-scripts"), "-f", "interface/stlink-v2.cfg", "-f",
                         "target/stm32f0x.cfg", "-f", resource("openocd_flash_pre.cfg"),
                         "-c flash write_image erase \"/img/zembro_1.0.bin\" 0x08000000",
                         "-c verify_image \"/img/zembro_1.0.bin\"", "-f",
                         resource("openocd_flash_post.cfg")}));
    EXPECT_EQ(task.environment,
              (std::map<std::string, std::string>{{loaderPathVariable, dir.root().string()}}));
}

TEST_F(SWDCommandTest, OnlyTheExactSecondTitleSelectsTheV21Probe) {
    preferences.setString(PreferenceKey::stlinkProgrammer, "ST-Link v2-1");
    EXPECT_EQ(commandFor().arguments[3], "interface/stlink-v2-1.cfg");
    for (const std::string title : {"ST-Link v2", "st-link v2-1", "ST-Link v2-1 ", " ST-Link v2-1",
                                    "ST-Linkv2-1", "v2-1", ""}) {
        preferences.setString(PreferenceKey::stlinkProgrammer, title);
        EXPECT_EQ(commandFor().arguments[3], "interface/stlink-v2.cfg") << '"' << title << '"';
    }
    MemoryPreferences nothingRegistered;
    EXPECT_EQ(
        zembro->createUpdateTask(Firmware("/i.bin", ""), resources, nothingRegistered).arguments[3],
        "interface/stlink-v2.cfg");
}

TEST_F(SWDCommandTest, ShapeOfTheVector) {
    const Arguments arguments = commandFor("/my images/zembro 1.0.bin").arguments;
    ASSERT_EQ(arguments.size(), 12u);
    for (std::size_t i : {0u, 2u, 4u, 6u, 10u})
        EXPECT_TRUE(arguments[i] == "-s" || arguments[i] == "-f") << i;
    for (std::size_t i = 0; i < arguments.size(); ++i)
        EXPECT_EQ(arguments[i].starts_with("-c"), i == 8 || i == 9) << i;
    // Spaces stay inside the quotes of the one element.
    EXPECT_EQ(arguments[8], "-c flash write_image erase \"/my images/zembro 1.0.bin\" 0x08000000");
    EXPECT_EQ(arguments[9], "-c verify_image \"/my images/zembro 1.0.bin\"");
}

TEST_F(SWDCommandTest, PathsReachOpenocdLiterally) {
    EXPECT_EQ(escapeForOpenocdQuotes("/plain/path with spaces/it's_{x}.bin"),
              "/plain/path with spaces/it's_{x}.bin");
    EXPECT_EQ(escapeForOpenocdQuotes(R"(/a\b/"c"/[d]/$e.bin)"), R"(/a\\b/\"c\"/\[d\]/\$e.bin)");
    EXPECT_EQ(escapeForOpenocdQuotes(""), "");

    const Arguments arguments = commandFor(R"(/x/"[$HOME]".bin)").arguments;
    EXPECT_EQ(arguments[8], R"(-c flash write_image erase "/x/\"\[\$HOME\]\".bin" 0x08000000)");
    EXPECT_EQ(arguments[9], R"(-c verify_image "/x/\"\[\$HOME\]\".bin")");
}

TEST_F(SWDCommandTest, EachMissingScriptIsReportedWithWhereItWasLookedFor) {
    for (const std::string name :
         {"openocd-scripts", "openocd_flash_pre.cfg", "openocd_flash_post.cfg"}) {
        SCOPED_TRACE(name);
        testing::ToolResourcesTest::remove(name);
        try {
            commandFor();
            ADD_FAILURE() << "a command without " << name << " was built";
        } catch (const MissingResourceError& error) {
            EXPECT_EQ(error.expectedPath(), resource(name));
            EXPECT_NE(std::string(error.what()).find(resource(name)), std::string::npos);
        }
        dir.addFile(name);
    }
}

TEST_F(SWDCommandTest, MissingExecutableStillNamesWhereItShouldBe) {
    remove("openocd");
    EXPECT_EQ(commandFor().launchPath, resource("openocd"));
}

TEST(ToolEnvironmentTest, TheLoaderVariableIsThePlatformsOwn) {
#if defined(__APPLE__)
    EXPECT_STREQ(loaderPathVariable, "DYLD_LIBRARY_PATH");
#else
    EXPECT_STREQ(loaderPathVariable, "LD_LIBRARY_PATH");
#endif
}

} // namespace
} // namespace modflash
