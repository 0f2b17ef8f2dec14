// The real tools, run exactly as an update runs them, with no device attached: their output
// matches the recordings the other tests replay, and the verdict reads their failure.
#include "Preferences.h"
#include "ProductCatalogue.h"
#include "ResourceDirectory.h"
#include "ToolOutput.h"
#include "VerdictSummary.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <filesystem>

namespace modflash {
namespace {

using testing::toolOutput;

bool usbDevicesVisible() {
    std::error_code error;
    const std::filesystem::path bus = "/dev/bus/usb";
    return std::filesystem::exists(bus, error) && !std::filesystem::is_empty(bus, error);
}

// Runs the tool as an update does and hands the verdict its output and exit status.
std::string runTool(const UpdateTask& task, VerdictSummary& summary) {
    QProcess process;
    QProcessEnvironment environment;
    for (const auto& [name, value] : task.environment)
        environment.insert(QString::fromStdString(name), QString::fromStdString(value));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QStringList arguments;
    for (const auto& argument : task.arguments)
        arguments << QString::fromStdString(argument);
    process.start(QString::fromStdString(task.launchPath), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << task.launchPath
                      << " did not finish: " << process.errorString().toStdString();
        return {};
    }
    const std::string output = process.readAll().toStdString();
    summary.feed(output);
    summary.toolExited(process.exitCode());
    EXPECT_NE(process.exitCode(), 0);
    return output;
}

struct LiveCase {
    const char* product;
    const char* image;
    const char* preference;
    const char* value;
    bool factory;
    const char* recording;
};

class LiveTool : public ::testing::TestWithParam<LiveCase> {};

TEST_P(LiveTool, failsWithoutADeviceAsRecorded) {
    if (usbDevicesVisible())
        GTEST_SKIP() << "USB devices are visible in /dev/bus/usb; a flashing tool could write "
                        "to real hardware";
    const LiveCase& c = GetParam();
    const ResourceDirectory resources(MODFLASH_STAGED_RESOURCES);
    const ProductCatalogue catalogue;
    const ProductPtr product = catalogue.productWithTitle(c.product);
    ASSERT_NE(product, nullptr);
    MemoryPreferences preferences;
    preferences.setString(c.preference, c.value);
    preferences.setBool(PreferenceKey::enableFactoryFirmware, c.factory);
    preferences.setBool(PreferenceKey::massEraseBeforeProgramming, c.factory);
    const auto image = resources.pathForResource(std::string("firmware/") + c.image);
    ASSERT_TRUE(image.has_value()) << c.image;
    const UpdateTask task =
        product->createUpdateTask(*product->firmwareForPath(*image), resources, preferences);

    VerdictSummary summary(product->family());
    EXPECT_EQ(runTool(task, summary), toolOutput(c.recording)) << "the tool's output changed";
    EXPECT_EQ(summary.banner().kind, VerdictSummary::Banner::Kind::Failed);
    EXPECT_FALSE(summary.lastErrorLine().empty());
    EXPECT_EQ(summary.progress().state, Progress::State::Failed);
}

const LiveCase liveCases[] = {
    {"Parvonne (rev009 or Higher)", "parvonne_2.0.hex", PreferenceKey::avrProgrammer, "usbtiny",
     false, "avrdude-7.1-usbtiny-no-device.txt"},
    {"Parvonne (rev009 or Higher)", "parvonne_2.0.hex", PreferenceKey::avrProgrammer, "avrisp2",
     false, "avrdude-7.1-avrisp2-no-device.txt"},
    {"Parvonne (rev009 or Higher)", "parvonne_2.0.hex", PreferenceKey::avrProgrammer, "usbasp",
     false, "avrdude-7.1-usbasp-no-device.txt"},
    {"Wendrel", "Wendrel.2.0.bin", PreferenceKey::stlinkProgrammer, "", false,
     "dfu-util-0.11-no-device.txt"},
    {"Kolvanix", "Kolvanix.10.0.bin", PreferenceKey::stlinkProgrammer, "", true,
     "dfu-util-0.11-mass-erase-no-device.txt"},
    {"Zembro", "zembro_1.1.bin", PreferenceKey::stlinkProgrammer, "ST-Link v2", true,
     "openocd-0.12-stlink-v2-no-device.txt"},
    {"Zembro", "zembro_1.1.bin", PreferenceKey::stlinkProgrammer, "ST-Link v2-1", true,
     "openocd-0.12-stlink-v2-1-no-device.txt"},
};

INSTANTIATE_TEST_SUITE_P(RealTools, LiveTool, ::testing::ValuesIn(liveCases), [](const auto& info) {
    std::string name = info.param.recording;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
});

} // namespace
} // namespace modflash
