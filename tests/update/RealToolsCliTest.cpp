#include "CliChild.h"
#include "LogText.h"

#include <QDir>

#include <gtest/gtest.h>

namespace modflash {
namespace {

// The installed tools, run through modflash-cli with the staged resource directory and its
// sample images. They would write to a module if one were attached, so these run only when
// no USB device can be seen; then each must end with its "no device" message.
class RealToolsCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QDir usb("/dev/bus/usb");
        if (usb.exists() && !usb.isEmpty())
            GTEST_SKIP() << "a USB device is visible under /dev/bus/usb; the real tools could "
                            "write to it";
    }

    void expectNoDevice(const QStringList& target, const QByteArray& message) {
        CliChild cli;
        ASSERT_TRUE(
            cli.run(QStringList{"update"} + target + QStringList{"--resources", resources}));
        SCOPED_TRACE(target.join(' ').toStdString());
        EXPECT_EQ(cli.status(), 1) << cli.err().toStdString();
        const QByteArray notes = LogText::failureNotes.toUtf8();
        EXPECT_TRUE(cli.out().startsWith(LogText::beginning.toUtf8())) << cli.out().toStdString();
        EXPECT_TRUE(cli.out().endsWith(notes)) << cli.out().toStdString();
        const QByteArray toolOutput = cli.out().chopped(notes.size());
        EXPECT_TRUE(toolOutput.contains(message)) << toolOutput.toStdString();
        EXPECT_FALSE(cli.out().contains(LogText::success.toUtf8()));
        EXPECT_FALSE(cli.out().contains(LogText::error.toUtf8()));
    }

    const QString resources = MODFLASH_CLI_RESOURCES;
};

TEST_F(RealToolsCliTest, EachToolEndsWithItsNoDeviceMessage) {
    expectNoDevice({"Drovel", "1.1"}, "cannot find USBtiny device");
    expectNoDevice({"Wendrel", "2.0"}, "No DFU capable USB device available");
    expectNoDevice({"Zembro", "1.0", "--factory"}, "Error: open failed");
}

} // namespace
} // namespace modflash
