// The three tools' progress, read from recorded and sample output.
#include "ProgressParser.h"
#include "ToolOutput.h"

#include <gtest/gtest.h>

namespace modflash {
namespace {

using testing::phasesOf;
using testing::progressSequence;
using testing::toolOutput;
using State = Progress::State;
constexpr int busy = Progress::indeterminate;

std::vector<Progress> whole(const char* family, const std::string& output) {
    return progressSequence(family, {output});
}

std::vector<int> percentsOf(const std::vector<Progress>& sequence, const std::string& phase) {
    std::vector<int> percents;
    for (const auto& progress : sequence)
        if (progress.phase == phase)
            percents.push_back(progress.percent);
    return percents;
}

// Every recording, with where its progress ends.
const struct {
    const char* family;
    const char* file;
    Progress last;
} recordings[] = {
    {"avr", "avrdude-7.1-usbtiny-success.txt", {"Verifying efuse", 100, State::Done}},
    {"avr", "avrdude-7.1-verify-mismatch.txt", {"Verifying flash", 100, State::Done}},
    // Eighteen marks before the programmer went away; dashes fail the phase there.
    {"avr", "avrdude-7.1-write-failed.txt", {"Writing flash", 36, State::Failed}},
    // Errors before any transfer leave it starting.
    {"avr", "avrdude-7.1-usbtiny-no-device.txt", {"Starting", busy, State::Running}},
    {"avr", "avrdude-7.1-avrisp2-no-device.txt", {"Starting", busy, State::Running}},
    {"dfu", "dfu-util-0.11-success.txt", {"Downloading", 100, State::Done}},
    {"dfu", "dfu-util-0.11-mass-erase-success.txt", {"Downloading", 100, State::Done}},
    // An error after the download leaves it done; one on the bar line fails it.
    {"dfu", "dfu-util-0.11-late-error.txt", {"Downloading", 100, State::Done}},
    {"dfu", "dfu-util-0.11-download-failed.txt", {"Downloading", 40, State::Failed}},
    {"dfu", "dfu-util-0.11-no-device.txt", {"Starting", busy, State::Failed}},
    {"dfu", "dfu-util-0.11-mass-erase-no-device.txt", {"Starting", busy, State::Failed}},
    {"swd", "openocd-0.12-stlink-v2-success.txt", {"Verifying", 100, State::Done}},
    // An error fails the phase it falls in.
    {"swd", "openocd-0.12-write-failed.txt", {"Erasing and writing", busy, State::Failed}},
    {"swd", "openocd-0.12-verify-failed.txt", {"Verifying", busy, State::Failed}},
    {"swd", "openocd-0.12-stlink-v2-1-no-device.txt", {"Connecting", busy, State::Failed}},
};

// Split at every byte (so inside "100%" and between "\r" and the text) and byte by byte.
TEST(ProgressParser, sameSequenceHoweverTheOutputIsChunked) {
    for (const auto& recording : recordings) {
        SCOPED_TRACE(recording.file);
        const std::string output = toolOutput(recording.file);
        const std::string_view text = output;
        const auto expected = whole(recording.family, output);
        EXPECT_EQ(expected.back(), recording.last);
        for (std::size_t at = 0; at <= text.size(); ++at) {
            ASSERT_EQ(progressSequence(recording.family, {text.substr(0, at), text.substr(at)}),
                      expected)
                << "split at byte " << at;
        }
        std::vector<std::string_view> bytes;
        for (std::size_t at = 0; at < text.size(); ++at)
            bytes.push_back(text.substr(at, 1));
        EXPECT_EQ(progressSequence(recording.family, bytes), expected);
    }
}

TEST(AvrdudeProgress, namesEachTransferAndCountsTwoPercentPerMark) {
    const auto sequence = whole("avr", toolOutput("avrdude-7.1-usbtiny-success.txt"));
    EXPECT_EQ(phasesOf(sequence),
              (std::vector<std::string>{"Starting", "Reading", "Writing flash", "Verifying flash",
                                        "Writing hfuse", "Verifying hfuse", "Writing lfuse",
                                        "Verifying lfuse", "Writing efuse", "Verifying efuse"}));
    std::vector<int> expected;
    for (int percent = 0; percent <= 100; percent += 2)
        expected.push_back(percent);
    expected.push_back(100); // the closing " | 100%" marks the phase done
    EXPECT_EQ(percentsOf(sequence, "Writing flash"), expected);
    EXPECT_EQ(whole("avr", toolOutput("avrdude-7.1-usbasp-no-device.txt")),
              (std::vector<Progress>{{"Starting", busy, State::Running}}));
}

TEST(AvrdudeProgress, messageInsideABarIsNotMarksAndABarNeedsNoContextLine) {
    const auto sequence = whole("avr", "avrdude: writing 10 bytes eeprom ...\n\nWriting | ####\n"
                                       "avrdude: retry - 2 of 3\n"
                                       "############################################## | 100% "
                                       "0.20s\n\n");
    EXPECT_EQ(sequence.back(), (Progress{"Writing eeprom", 100, State::Done}));
    for (const auto& progress : sequence)
        EXPECT_NE(progress.state, State::Failed);
    EXPECT_EQ(whole("avr", "\nReading | ##").back(), (Progress{"Reading", 4, State::Running}));
    // A writing context does not name a read.
    EXPECT_EQ(whole("avr", "avrdude: writing 4 bytes flash ...\nReading | #").back(),
              (Progress{"Reading", 2, State::Running}));
}

TEST(DfuUtilProgress, followsTheRedrawnBarsOfEraseAndDownloadOrABusyMassErase) {
    const auto sequence = whole("dfu", toolOutput("dfu-util-0.11-success.txt"));
    EXPECT_EQ(phasesOf(sequence),
              (std::vector<std::string>{"Starting", "Connecting", "Erasing", "Downloading"}));
    for (const char* phase : {"Erasing", "Downloading"}) {
        const auto percents = percentsOf(sequence, phase);
        ASSERT_GT(percents.size(), 10u) << phase;
        EXPECT_EQ(percents.front(), 0) << phase;
        EXPECT_EQ(percents.back(), 100) << phase;
        EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end())) << phase;
    }
    EXPECT_EQ(phasesOf(whole("dfu", toolOutput("dfu-util-0.11-mass-erase-success.txt"))),
              (std::vector<std::string>{"Starting", "Connecting", "Mass erasing", "Downloading"}));
}

TEST(DfuUtilProgress, warningsBeforeTheMissingDeviceDoNotFail) {
    const std::string output = toolOutput("dfu-util-0.11-no-device.txt");
    const std::size_t fatal = output.find("dfu-util: No DFU");
    ASSERT_NE(fatal, std::string::npos);
    EXPECT_EQ(whole("dfu", output.substr(0, fatal)).back(),
              (Progress{"Starting", busy, State::Running}));
}

TEST(OpenocdProgress, showsBusyPhasesUntilVerified) {
    const auto sequence = whole("swd", toolOutput("openocd-0.12-stlink-v2-success.txt"));
    EXPECT_EQ(sequence, (std::vector<Progress>{{"Starting", busy, State::Running},
                                               {"Connecting", busy, State::Running},
                                               {"Erasing and writing", busy, State::Running},
                                               {"Verifying", busy, State::Running},
                                               {"Verifying", 100, State::Done}}));
    EXPECT_EQ(ProgressParser::forFamily("AVR"), nullptr) << "family names are exact";
}

} // namespace
} // namespace modflash
