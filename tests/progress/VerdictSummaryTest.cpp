// The one-line verdict over recorded and sample output.
#include "VerdictSummary.h"
#include "ToolOutput.h"

#include <gtest/gtest.h>

namespace modflash {
namespace {

using testing::toolOutput;
using Kind = VerdictSummary::Banner::Kind;
using State = Progress::State;

struct Case {
    const char* family;
    const char* file;
    int exitStatus;
    Kind kind;
    const char* text;
};

const Case cases[] = {
    {"avr", "avrdude-7.1-usbtiny-success.txt", 0, Kind::Completed, "Update completed"},
    {"avr", "avrdude-7.1-usbtiny-no-device.txt", 1, Kind::Failed,
     "Update failed: avrdude error: unable to open programmer usbtiny on port usb"},
    {"avr", "avrdude-7.1-usbasp-no-device.txt", 1, Kind::Failed,
     "Update failed: avrdude error: unable to open programmer usbasp on port usb"},
    {"avr", "avrdude-7.1-verify-mismatch.txt", 1, Kind::Failed,
     "Update failed: avrdude error: verification mismatch"},
    {"avr", "avrdude-7.1-write-failed.txt", 1, Kind::Failed,
     "Update failed: avrdude error: usbtiny_transmit: error sending control message: No such "
     "device"},
    // A warning is no reason; with none, the exit status is.
    {"avr", "avrdude-7.1-usbtiny-success.txt", 1, Kind::Failed,
     "Update failed: avrdude ended with exit status 1"},
    {"dfu", "dfu-util-0.11-success.txt", 0, Kind::Completed, "Update completed"},
    {"dfu", "dfu-util-0.11-no-device.txt", 74, Kind::Failed,
     "Update failed: dfu-util: No DFU capable USB device available"},
    {"dfu", "dfu-util-0.11-mass-erase-no-device.txt", 74, Kind::Failed,
     "Update failed: dfu-util-factory: No DFU capable USB device available"},
    {"dfu", "dfu-util-0.11-download-failed.txt", 74, Kind::Failed,
     "Update failed: dfu-util: Error during download get_status"},
    {"dfu", "dfu-util-0.11-late-error.txt", 74, Kind::WrittenThenFailed,
     "The image was written completely; dfu-util reported an error only after the download had "
     "finished, while leaving DFU mode (dfu-util: Error during download get_status). Restart "
     "the module to run the new firmware."},
    // The exit status decides: a late error that dfu-util does not count is no failure.
    {"dfu", "dfu-util-0.11-late-error.txt", 0, Kind::Completed, "Update completed"},
    {"dfu", "dfu-util-0.11-mass-erase-success.txt", 1, Kind::WrittenThenFailed,
     "The image was written completely; dfu-util reported an error only after the download had "
     "finished, while leaving DFU mode (exit status 1). Restart the module to run the new "
     "firmware."},
    {"swd", "openocd-0.12-stlink-v2-success.txt", 0, Kind::Completed, "Update completed"},
    {"swd", "openocd-0.12-stlink-v2-no-device.txt", 1, Kind::Failed,
     "Update failed: Error: open failed"},
    {"swd", "openocd-0.12-verify-failed.txt", 1, Kind::Failed,
     "Update failed: Error: checksum mismatch - attempting binary compare"},
    {"swd", "openocd-0.12-write-failed.txt", 1, Kind::Failed,
     "Update failed: Error: error writing to flash at address 0x08000000 at offset 0x00000000"},
};

TEST(VerdictSummary, bannerAfterTheToolEndsForEveryRecording) {
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " exit " + std::to_string(c.exitStatus));
        VerdictSummary summary(c.family);
        summary.feed(toolOutput(c.file));
        EXPECT_EQ(summary.banner().kind, Kind::Running);
        summary.toolExited(c.exitStatus);
        EXPECT_EQ(summary.banner().kind, c.kind);
        EXPECT_EQ(summary.banner().text, c.text);
        // A completed update, or one whose image was written, shows a full bar.
        const Progress final = summary.progress();
        EXPECT_EQ(final.state, c.kind == Kind::Failed ? State::Failed : State::Done);
        if (c.kind != Kind::Failed) {
            EXPECT_EQ(final.percent, 100);
        }
    }
}

TEST(VerdictSummary, runningBannerNamesThePhaseAndItsPercentage) {
    const std::string output = toolOutput("avrdude-7.1-usbtiny-success.txt");
    VerdictSummary summary("avr");
    EXPECT_EQ(summary.banner().text, "Updating: Starting");
    summary.feed(output.substr(0, output.find("Writing | ") + 10 + 18));
    EXPECT_EQ(summary.banner().text, "Updating: Writing flash 36%");
    EXPECT_FALSE(summary.hasEnded());
    VerdictSummary unknown("");
    unknown.feed("something failed here\n");
    EXPECT_EQ(unknown.banner().text, "Updating");
    unknown.toolExited(2);
    EXPECT_EQ(unknown.banner().text, "Update failed: something failed here");
}

TEST(VerdictSummary, stoppedCrashedOrNeverStartedTool) {
    VerdictSummary avrdude("avr");
    avrdude.feed("avrdude: writing 504 bytes flash ...\n\nWriting | ######");
    avrdude.toolStopped();
    EXPECT_EQ(avrdude.banner().text, "Update stopped: avrdude was stopped before it finished");
    EXPECT_EQ(avrdude.progress(), (Progress{"Writing flash", 12, State::Failed}));

    // Stopped after dfu-util had sent the whole image: the image is still written.
    VerdictSummary dfu("dfu");
    dfu.feed(toolOutput("dfu-util-0.11-success.txt"));
    dfu.toolStopped();
    EXPECT_EQ(dfu.banner().kind, Kind::WrittenThenFailed);
    EXPECT_NE(dfu.banner().text.find("(it was stopped)"), std::string::npos);

    // The last line counts without a line break.
    VerdictSummary openocd("swd");
    openocd.feed("Open On-Chip Debugger 0.12.0\nError: open failed");
    openocd.toolCrashed();
    EXPECT_EQ(openocd.banner().text, "Update failed: openocd ended abnormally before it finished "
                                     "(Error: open failed)");
    EXPECT_EQ(openocd.progress(), (Progress{"Connecting", -1, State::Failed}));

    VerdictSummary missing("swd");
    missing.toolFailedToStart("openocd could not be started: No such file or directory");
    EXPECT_TRUE(missing.hasEnded());
    EXPECT_EQ(missing.banner().text,
              "Update failed: openocd could not be started: No such file or directory");
    EXPECT_EQ(missing.progress().state, State::Failed);
}

TEST(VerdictSummary, keepsBoundedMemoryOverHugeOutput) {
    VerdictSummary summary("swd");
    const std::string block(1 << 20, '#');
    for (int i = 0; i < 20; ++i)
        summary.feed(block);
    summary.feed("\nError: target not halted\n");
    EXPECT_EQ(summary.lastErrorLine(), "Error: target not halted");
    // A long error line of two-byte characters, cut short without splitting one.
    std::string longError = "Error: ";
    for (int i = 0; i < 300000; ++i)
        longError += "\xc3\xa9";
    summary.feed(longError);
    summary.toolExited(1);
    const std::string& error = summary.lastErrorLine();
    EXPECT_TRUE(error.starts_with("Error: \xc3\xa9"));
    EXPECT_LE(error.size(), 1024u);
    EXPECT_EQ((error.size() - 7) % 2, 0u) << "a character was cut in two";
}

} // namespace
} // namespace modflash
