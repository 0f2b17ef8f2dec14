// Runs the installed avrdude, dfu-util and openocd with the commands the code builds, from the
// staged resource directory, and checks that they get as far as looking for a device: proof
// that every option and script the command names is accepted. Never runs while a USB device is
// visible, so nothing can be written to real hardware.
#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "ChildProcess.h"
#include "OpenocdQuoting.h"
#include "Preferences.h"
#include "ProductCatalogue.h"
#include "ResourceDirectory.h"
#include "ToolEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

namespace modflash {
namespace {

namespace fs = std::filesystem;
using testing::ChildProcess;

// Text in the output that means the tool rejected its command line or a script.
const std::vector<std::string> refusals = {
    "invalid option",  "Invalid option", "unknown",         "Unknown",
    "Usage",           "usage:",         "unable to parse", "cannot find programmer",
    "invalid command", "Can't find",     "couldn't open",   "syntax error"};

std::string describe(const ChildProcess::Result& result) {
    return "exit status " + std::to_string(result.exitStatus) + ", output:\n" + result.output;
}

// Whether one of avrdude's "  id = description" list lines names this id or description;
// avrdude accepts either, ignoring case.
bool listsName(const std::string& list, const std::string& name) {
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    std::istringstream lines(list);
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find(" = ");
        std::string id;
        if (equals != std::string::npos && std::istringstream(line.substr(0, equals)) >> id &&
            (lower(id) == lower(name) || lower(line.substr(equals + 3)) == lower(name)))
            return true;
    }
    return false;
}

class RealToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::error_code error;
        if (fs::is_directory("/dev/bus/usb", error) && !fs::is_empty("/dev/bus/usb", error))
            GTEST_SKIP() << "a USB bus is visible in /dev/bus/usb; the real tools are not run "
                            "where they could reach a connected device";
        preferences.registerDefaults(
            {{PreferenceKey::avrProgrammer, AVRProduct::avrProgrammers().front()},
             {PreferenceKey::stlinkProgrammer, ARMSWDProduct::stlinkInterfaces().front()}});
    }

    // The tool's link is missing from the staged directory when the build did not find the tool.
    bool haveTools(std::initializer_list<const char*> names) {
        for (const char* name : names)
            if (!resources.pathForResource(name))
                return false;
        return true;
    }

    FirmwarePtr sampleImage(const Product& product) {
        auto paths = resources.pathsForResourcesOfType(product.firmwareExtension(), "firmware");
        if (paths.empty())
            return nullptr;
        std::sort(paths.begin(), paths.end());
        return product.firmwareForPath(paths.front());
    }

    // Builds the product's command for a sample image of its type and runs it.
    ChildProcess::Result runCommandOf(const std::string& title) {
        const auto product = catalogue.productWithTitle(title);
        const auto image = product ? sampleImage(*product) : nullptr;
        if (!image) {
            ADD_FAILURE() << "no product \"" << title << "\" or no image of its type in "
                          << resources.resourcePath() << "/firmware";
            return {};
        }
        const UpdateTask task = product->createUpdateTask(*image, resources, preferences);
        return ChildProcess::run(task.launchPath, task.arguments, task.environment);
    }

    void expectNoDevice(const ChildProcess::Result& result, const std::string& noDeviceMessage) {
        ASSERT_TRUE(result.started);
        EXPECT_FALSE(result.killed) << describe(result);
        EXPECT_NE(result.exitStatus, 0) << describe(result);
        EXPECT_NE(result.output.find(noDeviceMessage), std::string::npos) << describe(result);
        for (const auto& refusal : refusals)
            EXPECT_EQ(result.output.find(refusal), std::string::npos)
                << "\"" << refusal << "\" in " << describe(result);
    }

    ResourceDirectory resources{MODFLASH_TEST_RESOURCES};
    ProductCatalogue catalogue;
    MemoryPreferences preferences;
};

TEST_F(RealToolsTest, AvrdudeLooksForEachProgrammer) {
    if (!haveTools({"avrdude", "avrdude.conf"}))
        GTEST_SKIP() << "avrdude or avrdude.conf is not linked in " << resources.resourcePath();
    // Nine elements for the atmega328, eight for the attiny44 that has no extended fuse.
    for (const char* title : {"Parvonne (rev009 or Higher)", "Ketterel"}) {
        for (const auto& programmer : AVRProduct::avrProgrammers()) {
            SCOPED_TRACE(std::string(title) + " with " + programmer);
            preferences.setString(PreferenceKey::avrProgrammer, programmer);
            expectNoDevice(runCommandOf(title), "unable to open programmer " + programmer);
        }
    }
}

TEST_F(RealToolsTest, AvrdudeKnowsEveryPartAndProgrammer) {
    if (!haveTools({"avrdude", "avrdude.conf"}))
        GTEST_SKIP() << "avrdude or avrdude.conf is not linked in " << resources.resourcePath();
    const std::string avrdude = *resources.pathForResource("avrdude");
    const std::string conf = "-C" + *resources.pathForResource("avrdude", "conf");
    const auto environment = toolEnvironment(resources);
    const std::string parts = ChildProcess::run(avrdude, {conf, "-p?"}, environment).output;
    const std::string programmers = ChildProcess::run(avrdude, {conf, "-c?"}, environment).output;
    for (const auto& programmer : AVRProduct::avrProgrammers())
        EXPECT_TRUE(listsName(programmers, programmer)) << programmer;
    for (int cpu = 0; cpu < 5; ++cpu) {
        const auto product = AVRProduct::productWithTitle("Chip", "chip_", cpu);
        const auto arguments =
            product->createUpdateTask(Firmware("/x.hex", ""), resources, preferences).arguments;
        const std::string part = arguments[4].substr(2); // "-p<part>"
        EXPECT_TRUE(listsName(parts, part)) << part;
    }
}

TEST_F(RealToolsTest, DfuUtilLooksForTheDeviceWithAndWithoutMassErase) {
    if (!haveTools({"dfu-util", "dfu-util-factory"}))
        GTEST_SKIP() << "dfu-util is not linked in " << resources.resourcePath();
    for (bool factory : {false, true}) {
        for (bool massErase : {false, true}) {
            SCOPED_TRACE(std::string(factory ? "factory" : "ordinary") +
                         (massErase ? ", mass erase" : ""));
            preferences.setBool(PreferenceKey::enableFactoryFirmware, factory);
            preferences.setBool(PreferenceKey::massEraseBeforeProgramming, massErase);
            expectNoDevice(runCommandOf("Wendrel"), "No DFU capable USB device available");
        }
    }
}

TEST_F(RealToolsTest, OpenocdRunsItsScriptsWithEitherProbe) {
    if (!haveTools({"openocd", "openocd-scripts"}))
        GTEST_SKIP() << "openocd or its scripts are not linked in " << resources.resourcePath();
    for (const auto& probe : ARMSWDProduct::stlinkInterfaces()) {
        SCOPED_TRACE(probe);
        preferences.setString(PreferenceKey::stlinkProgrammer, probe);
        expectNoDevice(runCommandOf("Zembro"), "open failed");
    }
}

TEST_F(RealToolsTest, OpenocdReadsAnEscapedPathLiterally) {
    if (!haveTools({"openocd", "openocd-scripts"}))
        GTEST_SKIP() << "openocd or its scripts are not linked in " << resources.resourcePath();
    const std::string path = R"(/tmp/my "firmware" [x]/$HOME/back\slash {y}.bin)";
    // Take the quoted path from the write element the command really builds.
    const auto zembro = catalogue.productWithTitle("Zembro");
    const auto task =
        zembro->createUpdateTask(*zembro->firmwareForPath(path), resources, preferences);
    const std::string& write = task.arguments.at(8);
    const auto open = write.find('"');
    const auto close = write.rfind('"');
    ASSERT_LT(open, close);
    const std::string quoted = write.substr(open, close - open + 1);
    EXPECT_EQ(quoted, "\"" + escapeForOpenocdQuotes(path) + "\"");

    const auto result = ChildProcess::run(
        task.launchPath, {"-c", "echo " + quoted, "-c", "shutdown"}, task.environment);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitStatus, 0) << describe(result);
    EXPECT_NE(result.output.find("\n" + path + "\n"), std::string::npos) << describe(result);
}

} // namespace
} // namespace modflash
