// Which device each product needs, and the line that says whether it is there.
#include "DeviceRequirement.h"

#include "FakeUsbDeviceSource.h"
#include "Preferences.h"
#include "ProductCatalogue.h"

#include <gtest/gtest.h>

namespace modflash {
namespace {

using namespace testing;

class Requirement : public ::testing::Test {
protected:
    DeviceRequirement forProduct(const char* title) {
        const ProductPtr product = catalogue.productWithTitle(title);
        EXPECT_NE(product, nullptr) << title;
        auto requirement = DeviceRequirement::forProduct(*product, preferences);
        EXPECT_TRUE(requirement.has_value()) << title;
        return *requirement;
    }

    ProductCatalogue catalogue;
    MemoryPreferences preferences;
};

TEST(UsbIdText, parsesAndWritesLikeLsusb) {
    EXPECT_EQ(UsbId::parse("0483:df11"), (UsbId{0x0483, 0xdf11}));
    EXPECT_EQ(UsbId::parse("1781:C9F"), (UsbId{0x1781, 0x0c9f}));
    EXPECT_EQ((UsbId{0x1781, 0x0c9f}).text(), "1781:0c9f");
    for (const char* bad : {"", "0483", "0483:", ":df11", "0483:df11x", "10483:df11", "04 3:df11"})
        EXPECT_FALSE(UsbId::parse(bad).has_value()) << bad;
}

TEST_F(Requirement, avrProductsNeedTheProgrammerChosenInThePreferences) {
    const std::pair<const char*, UsbId> programmers[] = {
        {"usbtiny", usbtiny}, {"avrisp2", avrisp2}, {"usbasp", usbasp}};
    for (const auto& [choice, id] : programmers) {
        preferences.setString(PreferenceKey::avrProgrammer, choice);
        const auto requirement = forProduct("Drovel");
        EXPECT_EQ(requirement.ids(), std::vector<UsbId>{id}) << choice;
        EXPECT_TRUE(requirement.isMetBy({keyboard, id}));
        EXPECT_FALSE(requirement.isMetBy({keyboard}));
    }
    // Nothing stored and no default registered: the command's fallback, the first programmer.
    MemoryPreferences fresh;
    const auto requirement =
        DeviceRequirement::forProduct(*catalogue.productWithTitle("Drovel"), fresh);
    EXPECT_EQ(requirement->deviceName(), "USBtiny programmer");
}

TEST_F(Requirement, messagesSayWhatIsThereAndWhatToCheck) {
    preferences.setString(PreferenceKey::avrProgrammer, "usbtiny");
    const auto avr = forProduct("Drovel");
    EXPECT_EQ(avr.message({usbtiny}), "USBtiny programmer found (USB 1781:0c9f)");
    EXPECT_EQ(avr.message({keyboard}), "No USBtiny programmer found: connect it by USB, or "
                                       "choose the programmer you use in the preferences");
    EXPECT_EQ(avr.message({keyboard, usbasp}),
              "No USBtiny programmer found, but a USBasp programmer is connected: choose "
              "\"usbasp\" as the programmer in the preferences");

    const auto dfu = forProduct("Wendrel");
    EXPECT_EQ(dfu.message({}), "No DFU boot loader found: put the module into its boot loader "
                               "mode as the instructions say");
    EXPECT_EQ(dfu.message({dfuBootLoader}), "DFU boot loader found (USB 0483:df11)");
    // A probe is no boot loader.
    EXPECT_FALSE(dfu.isMetBy({stlinkV2, stlinkV21}));
}

TEST_F(Requirement, stlinkProbeFollowsTheOpenocdCommandsChoice) {
    preferences.setString(PreferenceKey::stlinkProgrammer, "ST-Link v2-1");
    const auto v21 = forProduct("Zembro");
    EXPECT_EQ(v21.ids(), (std::vector<UsbId>{stlinkV21, stlinkV21Other}));
    EXPECT_EQ(v21.message({stlinkV21Other}), "ST-Link v2-1 probe found (USB 0483:3752)");
    EXPECT_EQ(v21.message({stlinkV2}),
              "No ST-Link v2-1 probe found, but an ST-Link v2 probe is connected: choose "
              "\"ST-Link v2\" as the probe in the preferences");

    // Anything but the exact second title means the v2 probe, as the command does.
    for (const char* stored : {"", "ST-Link v2", "st-link v2-1", "ST-Link v3"}) {
        preferences.setString(PreferenceKey::stlinkProgrammer, stored);
        EXPECT_EQ(forProduct("Zembro").ids(), std::vector<UsbId>{stlinkV2}) << stored;
    }
}

TEST_F(Requirement, unknownProgrammerCannotBeCheckedAndABareProductNeedsNothing) {
    preferences.setString(PreferenceKey::avrProgrammer, "stk500v2");
    const auto requirement = forProduct("Drovel");
    EXPECT_FALSE(requirement.canCheck());
    EXPECT_FALSE(requirement.isMetBy({usbtiny, usbasp, avrisp2}));
    EXPECT_EQ(requirement.message({usbtiny}),
              "modflash does not know the USB id of the programmer \"stk500v2\", so it cannot "
              "tell whether it is connected");
    EXPECT_FALSE(DeviceRequirement::forProduct(Product("Plain", "plain_"), preferences));
}

} // namespace
} // namespace modflash
