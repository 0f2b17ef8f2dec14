// The presence line as devices come and go, the product changes and the preferences change.
#include "DevicePresence.h"

#include "FakeUsbDeviceSource.h"
#include "ProductCatalogue.h"
#include "SettingsPreferences.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace modflash {
namespace {

using namespace testing;
using State = DevicePresence::State;
using Lines = std::vector<std::string>;

class Presence : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        QObject::connect(&presence, &DevicePresence::textChanged,
                         [this](const QString& text) { announced.push_back(text.toStdString()); });
    }

    std::string text() const { return presence.text().toStdString(); }
    ProductPtr product(const char* title) const { return catalogue.productWithTitle(title); }

    QTemporaryDir home;
    SettingsPreferences preferences{home.filePath("modflash.conf")};
    ProductCatalogue catalogue;
    FakeUsbDeviceSource source;
    DevicePresence presence{source, preferences};
    Lines announced;
};

TEST_F(Presence, followsPlugAndUnplugWhileAProductIsChosenOnly) {
    source.plug(dfuBootLoader);
    EXPECT_EQ(presence.state(), State::NoProduct);
    EXPECT_TRUE(announced.empty());
    presence.setProduct(product("Wendrel"));
    EXPECT_EQ(presence.state(), State::Found);
    source.unplug(dfuBootLoader);
    EXPECT_EQ(presence.state(), State::Missing);
    source.plug(keyboard); // nothing the product needs: no new line
    source.plug(dfuBootLoader);
    presence.setProduct(nullptr);
    EXPECT_EQ(presence.state(), State::NoProduct);
    const std::string found = "DFU boot loader found (USB 0483:df11)";
    EXPECT_EQ(announced, (Lines{found,
                                "No DFU boot loader found: put the module into its boot loader "
                                "mode as the instructions say",
                                found, ""}));
}

TEST_F(Presence, changesWithTheProductAndTheProgrammerPreference) {
    source.plug(usbasp);
    source.plug(stlinkV2);
    preferences.setString(PreferenceKey::avrProgrammer, "usbtiny");
    presence.setProduct(product("Drovel"));
    EXPECT_EQ(presence.state(), State::Missing);
    preferences.setString(PreferenceKey::avrProgrammer, "usbasp");
    presence.preferencesChanged();
    EXPECT_EQ(presence.state(), State::Found);
    EXPECT_EQ(text(), "USBasp programmer found (USB 16c0:05dc)");
    presence.setProduct(product("Zembro"));
    EXPECT_EQ(text(), "ST-Link v2 probe found (USB 0483:3748)");
    EXPECT_EQ(announced.size(), 3u);
}

TEST_F(Presence, saysSoWhenUsbCannotBeListed) {
    source.setAvailable(false);
    presence.setProduct(product("Zembro"));
    EXPECT_EQ(presence.state(), State::CannotCheck);
    EXPECT_EQ(text(), "USB devices cannot be listed on this computer, so modflash cannot check "
                      "for the ST-Link v2 probe");
    source.setAvailable(true);
    source.plug(stlinkV2);
    EXPECT_EQ(presence.state(), State::Found);
}

} // namespace
} // namespace modflash
