#include "ARMProduct.h"
#include "ToolEnvironment.h"
#include "ToolResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace modflash {
namespace {

using Arguments = std::vector<std::string>;

class ARMCommandTest : public testing::ToolResourcesTest {
protected:
    UpdateTask commandFor(const ARMProduct& product, const std::string& image = "/img/W.2.0.bin") {
        return product.createUpdateTask(Firmware(image, product.prefix()), resources, preferences);
    }

    std::shared_ptr<const ARMProduct> wendrel = ARMProduct::productWithTitle("Wendrel", "Wendrel.");
};

TEST_F(ARMCommandTest, BothPreferencesOff) {
    const UpdateTask task = commandFor(*wendrel);
    EXPECT_EQ(task.launchPath, resource("dfu-util"));
    EXPECT_EQ(task.arguments, (Arguments{"-a", "0", "-s", "0x08000000:leave", "-D",
                                         "/img/W.2.0.bin", "-d", "0483:df11"}));
    EXPECT_EQ(task.environment,
              (std::map<std::string, std::string>{{loaderPathVariable, dir.root().string()}}));
}

TEST_F(ARMCommandTest, MassEraseComesAfterLeave) {
    preferences.setBool(PreferenceKey::massEraseBeforeProgramming, true);
    const UpdateTask task = commandFor(*wendrel);
    EXPECT_EQ(task.launchPath, resource("dfu-util"));
    EXPECT_EQ(task.arguments[3], "0x08000000:leave:mass-erase:force");

    preferences.setBool(PreferenceKey::massEraseBeforeProgramming, false);
    EXPECT_EQ(commandFor(*wendrel).arguments[3], "0x08000000:leave");
}

TEST_F(ARMCommandTest, FactoryFirmwareChangesOnlyTheExecutable) {
    const Arguments ordinary = commandFor(*wendrel).arguments;
    preferences.setBool(PreferenceKey::enableFactoryFirmware, true);
    const UpdateTask task = commandFor(*wendrel);
    EXPECT_EQ(task.launchPath, resource("dfu-util-factory"));
    EXPECT_EQ(task.arguments, ordinary);

    preferences.setBool(PreferenceKey::massEraseBeforeProgramming, true);
    EXPECT_EQ(commandFor(*wendrel).arguments[3], "0x08000000:leave:mass-erase:force");
}

TEST_F(ARMCommandTest, OtherAddressAndDeviceAreUsedUnchanged) {
    const auto other = ARMProduct::productWithTitle("X", "X.", "0x08004000", "1209:db42");
    preferences.setBool(PreferenceKey::massEraseBeforeProgramming, true);
    const Arguments arguments = commandFor(*other).arguments;
    EXPECT_EQ(arguments[3], "0x08004000:leave:mass-erase:force");
    EXPECT_EQ(arguments[7], "1209:db42");
}

TEST_F(ARMCommandTest, OddImagePathStaysOneElementUnchanged) {
    const std::string image = "/my images/\"quoted\" [v2] $PATH\\W.bin";
    const Arguments arguments = commandFor(*wendrel, image).arguments;
    ASSERT_EQ(arguments.size(), 8u);
    EXPECT_EQ(arguments[5], image);
}

TEST_F(ARMCommandTest, MissingExecutableStillNamesWhereItShouldBe) {
    remove("dfu-util-factory");
    preferences.setBool(PreferenceKey::enableFactoryFirmware, true);
    EXPECT_EQ(commandFor(*wendrel).launchPath, resource("dfu-util-factory"));
}

} // namespace
} // namespace modflash
