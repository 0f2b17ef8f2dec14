// Runs the installed avrdude, dfu-util and openocd with the commands the code builds, from the
// staged resource directory, and checks that they get as far as looking for a device and print
// exactly the recordings the progress and verdict tests replay: proof that every option and
// script the command names is accepted. Never runs while a USB device is visible, so nothing
// can be written to real hardware.
#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "OpenocdQuoting.h"
#include "Preferences.h"
#include "ProductCatalogue.h"
#include "ResourceDirectory.h"
#include "ToolEnvironment.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace modflash {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int exitStatus = -1;
    std::string output;
};

// Runs the program as an update does: the vector element by element, no shell, the given
// environment only, standard output and error joined.
ToolRun runTool(const std::string& program, const std::vector<std::string>& arguments,
                const std::map<std::string, std::string>& environment) {
    QProcess process;
    QProcessEnvironment only;
    for (const auto& [name, value] : environment)
        only.insert(QString::fromStdString(name), QString::fromStdString(value));
    process.setProcessEnvironment(only);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    QStringList list;
    for (const auto& argument : arguments)
        list << QString::fromStdString(argument);
    process.start(QString::fromStdString(program), list);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << program << " did not finish: " << process.errorString().toStdString();
        return {};
    }
    return {process.exitCode(), process.readAll().toStdString()};
}

std::string recording(const std::string& name) {
    std::ifstream in(std::string(MODFLASH_TOOL_OUTPUT_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
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
        for (const char* name : {"avrdude", "avrdude.conf", "dfu-util", "dfu-util-factory",
                                 "openocd", "openocd-scripts"}) {
            // The link is missing from the staged directory when the build did not find the tool.
            if (!resources.pathForResource(name))
                GTEST_SKIP() << name << " is not linked in " << resources.resourcePath();
        }
        preferences.registerDefaults(
            {{PreferenceKey::avrProgrammer, AVRProduct::avrProgrammers().front()},
             {PreferenceKey::stlinkProgrammer, ARMSWDProduct::stlinkInterfaces().front()}});
    }

    // Builds the product's command for a sample image of its type and runs it: it must fail,
    // printing exactly the recorded no-device output.
    void expectNoDevice(const std::string& title, const std::string& recordingName) {
        SCOPED_TRACE(title + ", " + recordingName);
        const auto product = catalogue.productWithTitle(title);
        auto images = resources.pathsForResourcesOfType(product->firmwareExtension(), "firmware");
        ASSERT_FALSE(images.empty()) << "no image in " << resources.resourcePath() << "/firmware";
        std::sort(images.begin(), images.end());
        const UpdateTask task =
            product->createUpdateTask(*product->firmwareForPath(images[0]), resources, preferences);
        const ToolRun run = runTool(task.launchPath, task.arguments, task.environment);
        EXPECT_NE(run.exitStatus, 0);
        EXPECT_EQ(run.output, recording(recordingName));
    }

    ResourceDirectory resources{MODFLASH_TEST_RESOURCES};
    ProductCatalogue catalogue;
    MemoryPreferences preferences;
};

TEST_F(RealToolsTest, AvrdudeLooksForEachProgrammer) {
    // Nine elements for the atmega328, eight for the attiny44 that has no extended fuse.
    for (const char* title : {"Parvonne (rev009 or Higher)", "Ketterel"}) {
        for (const auto& programmer : AVRProduct::avrProgrammers()) {
            preferences.setString(PreferenceKey::avrProgrammer, programmer);
            expectNoDevice(title, "avrdude-7.1-" + programmer + "-no-device.txt");
        }
    }
}

TEST_F(RealToolsTest, AvrdudeKnowsEveryPartAndProgrammer) {
    const std::string avrdude = *resources.pathForResource("avrdude");
    const std::string conf = "-C" + *resources.pathForResource("avrdude", "conf");
    const auto environment = toolEnvironment(resources);
    const std::string parts = runTool(avrdude, {conf, "-p?"}, environment).output;
    const std::string programmers = runTool(avrdude, {conf, "-c?"}, environment).output;
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
    // The output names the program it ran as; mass erase only shows once a device answers.
    for (bool factory : {false, true}) {
        for (bool massErase : {false, true}) {
            preferences.setBool(PreferenceKey::enableFactoryFirmware, factory);
            preferences.setBool(PreferenceKey::massEraseBeforeProgramming, massErase);
            expectNoDevice(factory ? "Kolvanix" : "Wendrel",
                           factory ? "dfu-util-0.11-mass-erase-no-device.txt"
                                   : "dfu-util-0.11-no-device.txt");
        }
    }
}

TEST_F(RealToolsTest, OpenocdRunsItsScriptsWithEitherProbe) {
    preferences.setBool(PreferenceKey::enableFactoryFirmware, true);
    expectNoDevice("Zembro", "openocd-0.12-stlink-v2-no-device.txt");
    preferences.setString(PreferenceKey::stlinkProgrammer, "ST-Link v2-1");
    expectNoDevice("Zembro", "openocd-0.12-stlink-v2-1-no-device.txt");
}

TEST_F(RealToolsTest, OpenocdReadsAnEscapedPathLiterally) {
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

    const auto result =
        runTool(task.launchPath, {"-c", "echo " + quoted, "-c", "shutdown"}, task.environment);
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_NE(result.output.find("\n" + path + "\n"), std::string::npos) << result.output;
}

} // namespace
} // namespace modflash
