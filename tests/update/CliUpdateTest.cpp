#include "CliChild.h"
#include "LogText.h"
#include "Preferences.h"
#include "ProductCatalogue.h"
#include "ToolDirectory.h"

#include <gtest/gtest.h>

#include <signal.h>

namespace modflash {
namespace {

struct Target {
    const char* title;
    const char* version;
    const char* tool;
    const char* image;
    QStringList options;
};

const Target avr{"Drovel", "1.0", "avrdude", "drovel_1.0.hex", {}};
const Target dfu{"Wendrel", "2.0", "dfu-util", "Wendrel.2.0.bin", {}};
const Target swd{"Zembro", "1.0", "openocd", "zembro_1.0.bin", {"--factory"}};

class CliUpdateTest : public ::testing::Test {
protected:
    CliUpdateTest() {
        for (const Target* target : {&avr, &dfu, &swd})
            tools.writeFile(QString("firmware/") + target->image, "image");
    }

    // Runs modflash-cli update of the target, to the end or (with a text) until it printed it.
    void update(CliChild& cli, const Target& target, const QByteArray& waitFor = {}) {
        const QStringList arguments{"update", target.title, target.version, "--resources",
                                    tools.path()};
        if (waitFor.isEmpty()) {
            ASSERT_TRUE(cli.run(arguments + target.options));
        } else {
            cli.start(arguments + target.options);
            ASSERT_TRUE(cli.waitForOutput(waitFor));
        }
    }

    // The log up to the tool's output, for the command the library builds with the defaults.
    QByteArray logStart(const Target& target) const {
        MemoryPreferences preferences;
        preferences.registerDefaults({{PreferenceKey::avrProgrammer, "usbtiny"},
                                      {PreferenceKey::stlinkProgrammer, "ST-Link v2"}});
        const ProductPtr product = ProductCatalogue().productWithTitle(target.title);
        const Firmware image(tools.filePath(QString("firmware/") + target.image).toStdString(),
                             product->prefix());
        const UpdateTask task = product->createUpdateTask(image, tools.resources(), preferences);
        return LogText::beginning.toUtf8() + "\nUpdating " + QByteArray(target.title) +
               " firmware with command:\n" + QByteArray::fromStdString(task.commandLine()) + "\n";
    }

    ToolDirectory tools;
    const QByteArray success = LogText::success.toUtf8();
    const QByteArray failureNotes = LogText::failureNotes.toUtf8();
};

TEST_F(CliUpdateTest, SuccessPrintsTheLogTextsAndExitsZero) {
    // Invalid bytes show as U+FFFD, as in the log; carriage returns are left to the terminal;
    // a character split across two writes comes out whole, one cut off by the end shows; "%@" is
    // text; a tool reading its input sees its end.
    tools.installTool("avrdude",
                      "read answer\nprintf '[%s] \\377 caf\\303' \"$answer\"\nsleep 0.2\n"
                      "printf '\\251\\r\\n50%%@\\r100%%\\n\\342\\202'");
    CliChild cli;
    update(cli, avr);
    EXPECT_EQ(cli.status(), 0);
    EXPECT_EQ(cli.out(),
              logStart(avr) + "[] \xef\xbf\xbd caf\xc3\xa9\r\n50%@\r100%\n\xef\xbf\xbd" + success);
    EXPECT_EQ(cli.err(), QString());
}

TEST_F(CliUpdateTest, ToolFailureOfEveryFamilyExitsOne) {
    for (const Target* target : {&avr, &dfu, &swd}) {
        SCOPED_TRACE(target->title);
        tools.installTool(target->tool, "printf 'No device found.\\n'\nexit 1");
        CliChild cli;
        update(cli, *target);
        EXPECT_EQ(cli.status(), 1);
        EXPECT_EQ(cli.out(), logStart(*target) + "No device found.\n" + failureNotes);
        EXPECT_EQ(cli.err(), QString());
    }
}

TEST_F(CliUpdateTest, UpdateThatCannotRunExitsTwoWithOneDiagnosticLine) {
    // No dfu-util at all: the command is built, the tool cannot start.
    CliChild noTool;
    update(noTool, dfu);
    EXPECT_EQ(noTool.status(), 2);
    EXPECT_EQ(noTool.out(), logStart(dfu) + LogText::error.toUtf8());
    EXPECT_EQ(noTool.err(), "Problem running task: could not start " + tools.filePath("dfu-util") +
                                ": No such file or directory\n");

    tools.remove("avrdude.conf");
    CliChild noConfiguration;
    update(noConfiguration, avr);
    EXPECT_EQ(noConfiguration.status(), 2);
    EXPECT_EQ(noConfiguration.out(), (LogText::beginning + LogText::error).toUtf8());
    EXPECT_EQ(noConfiguration.err(), "Problem running task: avrdude's configuration file "
                                     "(avrdude.conf) is missing: looked for " +
                                         tools.filePath("avrdude.conf") + "\n");
}

TEST_F(CliUpdateTest, InterruptOrTerminateStopsTheToolAndPrintsItsVerdict) {
    // Output arriving while the tool still runs also shows it is written as it comes.
    tools.installTool("avrdude", "printf 'started\\n'\nexec sleep 600");
    for (int signal : {SIGINT, SIGTERM}) {
        CliChild cli;
        update(cli, avr, "started\n");
        cli.sendSignal(signal);
        ASSERT_TRUE(cli.finish()) << "the program must end by itself, not by signal " << signal;
        EXPECT_EQ(cli.status(), 1);
        EXPECT_EQ(cli.out(), logStart(avr) + "started\n" + failureNotes);
    }
}

TEST_F(CliUpdateTest, ToolIgnoringInterruptsIsKilled) {
    tools.installTool("avrdude", "trap '' TERM INT\nprintf 'started\\n'\nexec sleep 600");
    CliChild cli;
    update(cli, avr, "started\n");
    // Two requests: the second kills at once. Two of the same signal could merge into one.
    cli.sendSignal(SIGINT);
    cli.sendSignal(SIGTERM);
    ASSERT_TRUE(cli.finish());
    EXPECT_EQ(cli.status(), 1);
    EXPECT_TRUE(cli.out().endsWith("started\n" + failureNotes));
}

} // namespace
} // namespace modflash
