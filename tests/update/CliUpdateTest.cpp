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

    QStringList arguments(const Target& target) const {
        return QStringList{"update", target.title, target.version, "--resources", tools.path()} +
               target.options;
    }

    // The header for the command the program should run, with the preferences' defaults.
    QByteArray header(const Target& target) const {
        MemoryPreferences preferences;
        preferences.registerDefaults({{PreferenceKey::avrProgrammer, "usbtiny"},
                                      {PreferenceKey::stlinkProgrammer, "ST-Link v2"}});
        const ProductPtr product = ProductCatalogue().productWithTitle(target.title);
        const Firmware image(tools.filePath(QString("firmware/") + target.image).toStdString(),
                             product->prefix());
        const UpdateTask task = product->createUpdateTask(image, tools.resources(), preferences);
        return "\nUpdating " + QByteArray(target.title) + " firmware with command:\n" +
               QByteArray::fromStdString(task.commandLine()) + "\n";
    }

    static QByteArray bytes(const QString& text) { return text.toUtf8(); }

    ToolDirectory tools;
};

TEST_F(CliUpdateTest, SuccessPrintsTheLogTextsAndExitsZero) {
    // Invalid bytes show as U+FFFD, as in the log; carriage returns are left to the terminal.
    tools.installTool("avrdude", "printf 'reading \\377\\r\\n50%%\\r100%%\\n'");
    CliChild cli;
    ASSERT_TRUE(cli.run(arguments(avr)));
    EXPECT_EQ(cli.status(), 0);
    EXPECT_EQ(cli.out(), bytes(LogText::beginning) + header(avr) +
                             "reading \xef\xbf\xbd\r\n50%\r100%\n" + bytes(LogText::success));
    EXPECT_EQ(cli.err(), QString());
}

TEST_F(CliUpdateTest, ToolFailureOfEveryFamilyExitsOne) {
    for (const Target* target : {&avr, &dfu, &swd}) {
        SCOPED_TRACE(target->title);
        tools.installTool(target->tool, "printf 'No device found.\\n'\nexit 1");
        CliChild cli;
        ASSERT_TRUE(cli.run(arguments(*target)));
        EXPECT_EQ(cli.status(), 1);
        EXPECT_EQ(cli.out(), bytes(LogText::beginning) + header(*target) + "No device found.\n" +
                                 bytes(LogText::failureNotes));
        EXPECT_EQ(cli.err(), QString());
    }
}

TEST_F(CliUpdateTest, UpdateThatCannotRunExitsTwoWithOneDiagnosticLine) {
    tools.remove("avrdude.conf");
    CliChild noConfiguration;
    ASSERT_TRUE(noConfiguration.run(arguments(avr)));
    EXPECT_EQ(noConfiguration.status(), 2);
    EXPECT_EQ(noConfiguration.out(), bytes(LogText::beginning + LogText::error));
    EXPECT_EQ(noConfiguration.errLines(),
              QStringList{"Problem running task: avrdude's configuration file is missing: "
                          "looked for " +
                          tools.filePath("avrdude.conf")});

    // No dfu-util at all: the command is built, the tool cannot start.
    CliChild noTool;
    ASSERT_TRUE(noTool.run(arguments(dfu)));
    EXPECT_EQ(noTool.status(), 2);
    EXPECT_EQ(noTool.out(), bytes(LogText::beginning) + header(dfu) + bytes(LogText::error));
    EXPECT_EQ(noTool.errLines(),
              QStringList{"Problem running task: could not start " + tools.filePath("dfu-util") +
                          ": No such file or directory"});
}

TEST_F(CliUpdateTest, UsageMistakesExit64BeforeAnythingRuns) {
    tools.installTool("avrdude", "exit 0");
    // A version that does not exist, and a factory-only product while factory firmware is off.
    for (const QStringList& typed :
         {QStringList{"update", "Drovel", "9.9"}, QStringList{"update", "Zembro", "1.0"}}) {
        SCOPED_TRACE(typed.join(' ').toStdString());
        CliChild cli;
        ASSERT_TRUE(cli.run(typed + QStringList{"--resources", tools.path()}));
        EXPECT_EQ(cli.status(), 64);
        EXPECT_EQ(cli.out(), QByteArray());
    }
}

TEST_F(CliUpdateTest, InterruptOrTerminateStopsTheToolAndPrintsItsVerdict) {
    // Output arriving while the tool still runs also shows it is written as it comes.
    tools.installTool("avrdude", "printf 'started\\n'\nexec sleep 600");
    for (int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        CliChild cli;
        cli.start(arguments(avr));
        ASSERT_TRUE(cli.waitForOutput("started\n"));
        cli.sendSignal(signal);
        ASSERT_TRUE(cli.finish()) << "the program must end by itself, not by the signal";
        EXPECT_EQ(cli.status(), 1);
        EXPECT_EQ(cli.out(), bytes(LogText::beginning) + header(avr) + "started\n" +
                                 bytes(LogText::failureNotes));
    }
}

TEST_F(CliUpdateTest, ToolIgnoringInterruptsIsKilled) {
    tools.installTool("avrdude", "trap '' TERM INT\nprintf 'started\\n'\nexec sleep 600");
    CliChild cli;
    cli.start(arguments(avr));
    ASSERT_TRUE(cli.waitForOutput("started\n"));
    // Two requests: the second kills at once. Two of the same signal could merge into one.
    cli.sendSignal(SIGINT);
    cli.sendSignal(SIGTERM);
    ASSERT_TRUE(cli.finish());
    EXPECT_EQ(cli.status(), 1);
    EXPECT_TRUE(cli.out().endsWith("started\n" + bytes(LogText::failureNotes)));
}

} // namespace
} // namespace modflash
