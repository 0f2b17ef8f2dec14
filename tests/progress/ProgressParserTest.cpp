// The three tools' progress, read from recorded and sample output.
#include "ProgressParser.h"
#include "ToolOutput.h"

#include <gtest/gtest.h>

#include <random>

namespace modflash {
namespace {

using testing::phasesOf;
using testing::progressSequence;
using testing::toolOutput;
using State = Progress::State;
constexpr int busy = Progress::indeterminate;

struct Sample {
    const char* family;
    const char* file;
};

const Sample samples[] = {
    {"avr", "avrdude-7.1-usbtiny-success.txt"},
    {"avr", "avrdude-7.1-verify-mismatch.txt"},
    {"avr", "avrdude-7.1-write-failed.txt"},
    {"avr", "avrdude-7.1-usbtiny-no-device.txt"},
    {"dfu", "dfu-util-0.11-success.txt"},
    {"dfu", "dfu-util-0.11-mass-erase-success.txt"},
    {"dfu", "dfu-util-0.11-late-error.txt"},
    {"dfu", "dfu-util-0.11-download-failed.txt"},
    {"dfu", "dfu-util-0.11-no-device.txt"},
    {"swd", "openocd-0.12-stlink-v2-success.txt"},
    {"swd", "openocd-0.12-verify-failed.txt"},
    {"swd", "openocd-0.12-write-failed.txt"},
    {"swd", "openocd-0.12-stlink-v2-no-device.txt"},
};

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

class ChunkSplit : public ::testing::TestWithParam<Sample> {};

TEST_P(ChunkSplit, sameSequenceAtEverySplitPoint) {
    const std::string output = toolOutput(GetParam().file);
    const std::string_view text = output;
    const auto expected = whole(GetParam().family, output);
    for (std::size_t at = 0; at <= text.size(); ++at) {
        const auto split =
            progressSequence(GetParam().family, {text.substr(0, at), text.substr(at)});
        ASSERT_EQ(split, expected) << "split at byte " << at;
    }
}

TEST_P(ChunkSplit, sameSequenceByteByByteAndInRandomChunks) {
    const std::string output = toolOutput(GetParam().file);
    const std::string_view text = output;
    const auto expected = whole(GetParam().family, output);

    std::vector<std::string_view> bytes;
    for (std::size_t at = 0; at < text.size(); ++at)
        bytes.push_back(text.substr(at, 1));
    EXPECT_EQ(progressSequence(GetParam().family, bytes), expected);

    std::mt19937 random(20261206);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::string_view> chunks;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t size = std::uniform_int_distribution<std::size_t>(1, 64)(random);
            chunks.push_back(text.substr(at, size));
            at += size;
        }
        EXPECT_EQ(progressSequence(GetParam().family, chunks), expected) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(ToolOutput, ChunkSplit, ::testing::ValuesIn(samples),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

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
    EXPECT_EQ(sequence.back(), (Progress{"Verifying efuse", 100, State::Done}));
}

TEST(AvrdudeProgress, dashesFailThePhaseWhereTheMarksStopped) {
    const auto sequence = whole("avr", toolOutput("avrdude-7.1-write-failed.txt"));
    // Eighteen marks before the programmer went away; a message line interrupts the bar.
    EXPECT_EQ(sequence.back(), (Progress{"Writing flash", 36, State::Failed}));
}

TEST(AvrdudeProgress, messageInsideABarIsNotMarks) {
    const auto sequence = whole("avr", "avrdude: writing 10 bytes eeprom ...\n\nWriting | ####\n"
                                       "avrdude: retry - 2 of 3\n"
                                       "############################################## | 100% "
                                       "0.20s\n\n");
    EXPECT_EQ(sequence.back(), (Progress{"Writing eeprom", 100, State::Done}));
    for (const auto& progress : sequence)
        EXPECT_NE(progress.state, State::Failed);
}

TEST(AvrdudeProgress, aBarWithoutItsContextLineKeepsTheHeaderName) {
    EXPECT_EQ(whole("avr", "\nReading | ##").back(), (Progress{"Reading", 4, State::Running}));
    // A writing context does not name a read.
    EXPECT_EQ(whole("avr", "avrdude: writing 4 bytes flash ...\nReading | #").back(),
              (Progress{"Reading", 2, State::Running}));
}

TEST(AvrdudeProgress, errorsBeforeAnyTransferLeaveItStarting) {
    for (const char* file :
         {"avrdude-7.1-usbtiny-no-device.txt", "avrdude-7.1-avrisp2-no-device.txt",
          "avrdude-7.1-usbasp-no-device.txt"})
        EXPECT_EQ(whole("avr", toolOutput(file)),
                  (std::vector<Progress>{{"Starting", busy, State::Running}}))
            << file;
}

TEST(DfuUtilProgress, followsTheRedrawnBarsOfEraseAndDownload) {
    const auto sequence = whole("dfu", toolOutput("dfu-util-0.11-success.txt"));
    EXPECT_EQ(phasesOf(sequence),
              (std::vector<std::string>{"Starting", "Connecting", "Erasing", "Downloading"}));
    for (const char* phase : {"Erasing", "Downloading"}) {
        const auto percents = percentsOf(sequence, phase);
        ASSERT_FALSE(percents.empty());
        EXPECT_EQ(percents.front(), 0) << phase;
        EXPECT_EQ(percents.back(), 100) << phase;
        EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end())) << phase;
        EXPECT_GT(percents.size(), 10u) << phase;
    }
    EXPECT_EQ(sequence.back(), (Progress{"Downloading", 100, State::Done}));
}

TEST(DfuUtilProgress, massEraseIsABusyPhaseBeforeTheDownload) {
    const auto sequence = whole("dfu", toolOutput("dfu-util-0.11-mass-erase-success.txt"));
    EXPECT_EQ(phasesOf(sequence),
              (std::vector<std::string>{"Starting", "Connecting", "Mass erasing", "Downloading"}));
    EXPECT_EQ(sequence.back(), (Progress{"Downloading", 100, State::Done}));
}

TEST(DfuUtilProgress, errorAfterTheDownloadLeavesItDone) {
    const auto sequence = whole("dfu", toolOutput("dfu-util-0.11-late-error.txt"));
    EXPECT_EQ(sequence.back(), (Progress{"Downloading", 100, State::Done}));
}

TEST(DfuUtilProgress, errorOnTheBarLineFailsTheDownload) {
    const auto sequence = whole("dfu", toolOutput("dfu-util-0.11-download-failed.txt"));
    EXPECT_EQ(sequence.back(), (Progress{"Downloading", 40, State::Failed}));
}

TEST(DfuUtilProgress, missingDeviceFailsBeforeAnyPhaseButWarningsDoNot) {
    const std::string output = toolOutput("dfu-util-0.11-no-device.txt");
    const std::size_t fatal = output.find("dfu-util: No DFU");
    ASSERT_NE(fatal, std::string::npos);
    EXPECT_EQ(whole("dfu", output.substr(0, fatal)).back(),
              (Progress{"Starting", busy, State::Running}));
    EXPECT_EQ(whole("dfu", output).back(), (Progress{"Starting", busy, State::Failed}));
    EXPECT_EQ(whole("dfu", toolOutput("dfu-util-0.11-mass-erase-no-device.txt")).back(),
              (Progress{"Starting", busy, State::Failed}));
}

TEST(OpenocdProgress, showsBusyPhasesUntilVerified) {
    const auto sequence = whole("swd", toolOutput("openocd-0.12-stlink-v2-success.txt"));
    EXPECT_EQ(sequence, (std::vector<Progress>{{"Starting", busy, State::Running},
                                               {"Connecting", busy, State::Running},
                                               {"Erasing and writing", busy, State::Running},
                                               {"Verifying", busy, State::Running},
                                               {"Verifying", 100, State::Done}}));
}

TEST(OpenocdProgress, errorFailsThePhaseItFallsIn) {
    EXPECT_EQ(whole("swd", toolOutput("openocd-0.12-write-failed.txt")).back(),
              (Progress{"Erasing and writing", busy, State::Failed}));
    EXPECT_EQ(whole("swd", toolOutput("openocd-0.12-verify-failed.txt")).back(),
              (Progress{"Verifying", busy, State::Failed}));
    EXPECT_EQ(whole("swd", toolOutput("openocd-0.12-stlink-v2-1-no-device.txt")).back(),
              (Progress{"Connecting", busy, State::Failed}));
}

TEST(ProgressParserFactory, knowsTheThreeFamiliesOnly) {
    EXPECT_NE(ProgressParser::forFamily("avr"), nullptr);
    EXPECT_NE(ProgressParser::forFamily("dfu"), nullptr);
    EXPECT_NE(ProgressParser::forFamily("swd"), nullptr);
    EXPECT_EQ(ProgressParser::forFamily(""), nullptr);
    EXPECT_EQ(ProgressParser::forFamily("AVR"), nullptr);
}

} // namespace
} // namespace modflash
