// SPDX-License-Identifier: GPL-3.0-or-later
// The tools' output read for progress, error lines and the verdict, over recordings of what the
// tools print and over random and hostile bytes.
#include "AvrdudeProfile.h"
#include "DfuUtilProfile.h"
#include "OpenocdProfile.h"
#include "Translation.h"
#include "Utf8.h"
#include "VerdictSummary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace modflash {

void PrintTo(const Progress& progress, std::ostream* out) {
    *out << "{\"" << progress.phase << "\", " << progress.percent << ", "
         << stateName(progress.state) << "}";
}

namespace {

using Kind = VerdictSummary::Banner::Kind;
using State = Progress::State;
constexpr int busy = Progress::indeterminate;

std::string recording(const std::string& name) {
    std::ifstream in(std::string(MODFLASH_TOOL_OUTPUT_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const FamilyProfile& profile(char family) {
    if (family == 'a')
        return AvrdudeProfile::instance();
    if (family == 'd')
        return DfuUtilProfile::instance();
    return OpenocdProfile::instance();
}

// Everything a reader reports, as one comparable record.
struct Reading {
    std::vector<Progress> sequence;
    std::string lastError;
    std::string lateError;
    bool written = false;
    bool operator==(const Reading&) const = default;
};

Reading read(char family, const std::vector<std::string_view>& chunks) {
    const auto parser = profile(family).progressParser();
    Reading reading{{parser->progress()}, {}, {}, false};
    parser->setListener([&](const Progress& p) { reading.sequence.push_back(p); });
    for (auto chunk : chunks)
        parser->feed(chunk);
    parser->finish();
    reading.lastError = parser->lastErrorLine();
    reading.lateError = parser->errorAfterImageWritten();
    reading.written = parser->wholeImageWritten();
    return reading;
}

std::vector<std::string> phasesOf(const std::vector<Progress>& sequence) {
    std::vector<std::string> phases;
    for (const auto& progress : sequence)
        if (phases.empty() || phases.back() != progress.phase)
            phases.push_back(progress.phase);
    return phases;
}

const struct Recorded {
    char family;
    const char* file;
    int exitStatus;
    Progress last;
    Kind kind;
    const char* banner;
} recordings[] = {
    {'a',
     "avrdude-7.1-usbtiny-success.txt",
     0,
     {"Verifying efuse", 100, State::Done},
     Kind::Completed,
     "Update completed"},
    {'a',
     "avrdude-7.1-verify-mismatch.txt",
     1,
     {"Verifying flash", 100, State::Done},
     Kind::Failed,
     "Update failed: avrdude error: verification mismatch. The module reads back"},
    // Unplugged at 74 %: avrdude retries byte by byte, then fails to read the flash back.
    {'a',
     "avrdude-7.1-write-failed.txt",
     1,
     {"Verifying flash", 0, State::Failed},
     Kind::Failed,
     "Update failed: avrdude error: error sending control message: No such device. Connect "
     "the programmer"},
    {'a',
     "avrdude-7.1-usbasp-no-device.txt",
     1,
     {"Starting", busy, State::Running},
     Kind::Failed,
     "Update failed: avrdude error: unable to open programmer usbasp on port usb. Connect the"},
    // A warning is no reason; with none, the exit status is.
    {'a',
     "avrdude-7.1-usbtiny-success.txt",
     1,
     {"Verifying efuse", 100, State::Done},
     Kind::Failed,
     "Update failed: avrdude ended with exit status 1. Check the ISP cable"},
    {'d',
     "dfu-util-0.11-success.txt",
     0,
     {"Downloading", 100, State::Done},
     Kind::Completed,
     "Update completed"},
    {'d',
     "dfu-util-0.11-mass-erase-success.txt",
     1,
     {"Downloading", 100, State::Done},
     Kind::WrittenThenFailed,
     "The image was written completely; dfu-util reported an error only after the download "
     "had finished, while leaving DFU mode (exit status 1). Restart the module to run the new "
     "firmware."},
    {'d',
     "dfu-util-0.11-late-error.txt",
     74,
     {"Downloading", 100, State::Done},
     Kind::WrittenThenFailed,
     "The image was written completely; dfu-util reported an error only after the download "
     "had finished, while leaving DFU mode (dfu-util: Error during download get_status). "
     "Restart the module to run the new firmware."},
    {'d',
     "dfu-util-0.11-download-failed.txt",
     74,
     {"Downloading", 40, State::Failed},
     Kind::Failed,
     "Update failed: dfu-util: Error during download. The boot loader stopped answering"},
    {'d',
     "dfu-util-0.11-mass-erase-no-device.txt",
     74,
     {"Starting", busy, State::Failed},
     Kind::Failed,
     "Update failed: dfu-util-factory: No DFU capable USB device available. Put the module"},
    {'s',
     "openocd-0.12-stlink-v2-success.txt",
     0,
     {"Verifying", 100, State::Done},
     Kind::Completed,
     "Update completed"},
    {'s',
     "openocd-0.12-write-failed.txt",
     1,
     {"Erasing and writing", busy, State::Failed},
     Kind::Failed,
     "Update failed: Error: error writing to flash at address 0x08000000 at offset 0x00000000. "
     "Check the SWD cable"},
    {'s',
     "openocd-0.12-verify-failed.txt",
     1,
     {"Verifying", busy, State::Failed},
     Kind::Failed,
     "Update failed: Error: checksum mismatch - attempting binary compare. The module reads"},
    {'s',
     "openocd-0.12-stlink-v2-1-no-device.txt",
     1,
     {"Connecting", busy, State::Failed},
     Kind::Failed,
     "Update failed: Error: open failed. Connect the ST-Link probe"},
};

TEST(Output, EachRecordingEndsInItsProgressAndBanner) {
    for (const Recorded& r : recordings) {
        SCOPED_TRACE(std::string(r.file) + " exit " + std::to_string(r.exitStatus));
        const std::string output = recording(r.file);
        EXPECT_EQ(read(r.family, {output}).sequence.back(), r.last);
        VerdictSummary summary(profile(r.family));
        summary.feed(output);
        EXPECT_EQ(summary.banner().kind, Kind::Running);
        summary.toolEnded(ToolEnd::fromExit(true, r.exitStatus, false));
        EXPECT_EQ(summary.banner().kind, r.kind);
        // A failure's banner goes on with what to try, by what the tool last said.
        if (r.kind == Kind::Failed)
            EXPECT_TRUE(summary.banner().text.starts_with(r.banner)) << summary.banner().text;
        else
            EXPECT_EQ(summary.banner().text, r.banner);
        const Progress final = summary.progress();
        EXPECT_EQ(final.state, r.kind == Kind::Failed ? State::Failed : State::Done);
        if (r.kind != Kind::Failed) {
            EXPECT_EQ(final.percent, 100);
        }
    }
}

TEST(Output, PhasesOfEachTool) {
    const auto avr = read('a', {recording("avrdude-7.1-usbtiny-success.txt")}).sequence;
    EXPECT_EQ(phasesOf(avr),
              (std::vector<std::string>{"Starting", "Writing flash", "Verifying flash",
                                        "Writing hfuse", "Verifying hfuse", "Writing lfuse",
                                        "Verifying lfuse", "Writing efuse", "Verifying efuse"}));
    std::vector<int> marks;
    for (const Progress& p : avr)
        if (p.phase == "Writing flash")
            marks.push_back(p.percent);
    // Busy, then 0, one step per "#" at 2 % each, then the closing 100% marks it done.
    EXPECT_EQ(marks.size(), 53u);
    EXPECT_EQ(marks[0] + marks[2] + marks[26], busy + 2 + 50);
    EXPECT_EQ(phasesOf(read('d', {recording("dfu-util-0.11-success.txt")}).sequence),
              (std::vector<std::string>{"Starting", "Connecting", "Erasing", "Downloading"}));
    EXPECT_EQ(phasesOf(read('d', {recording("dfu-util-0.11-mass-erase-success.txt")}).sequence),
              (std::vector<std::string>{"Starting", "Connecting", "Mass erasing", "Erasing",
                                        "Downloading"}));
    EXPECT_EQ(read('s', {recording("openocd-0.12-stlink-v2-success.txt")}).sequence,
              (std::vector<Progress>{{"Starting", busy, State::Running},
                                     {"Connecting", busy, State::Running},
                                     {"Erasing and writing", busy, State::Running},
                                     {"Verifying", busy, State::Running},
                                     {"Verifying", 100, State::Done}}));
    // A message inside a bar is no mark, and the marks carry on after it.
    EXPECT_EQ(read('a', {"avrdude: writing 10 bytes eeprom ...\n\nWriting | ####\navrdude: "
                         "retry\n############################################## | 100% 0.2s\n"})
                  .sequence.back(),
              (Progress{"Writing eeprom", 100, State::Done}));
}

TEST(Output, ErrorLinesOfEachToolAndNotTheirWarnings) {
    const struct {
        char family;
        const char* line;
        const char* error; // nullptr: no error line
    } lines[] = {
        {'a', "avrdude warning: cannot set sck period", nullptr},
        {'a', "avrdude: warning: failed to read", nullptr},
        {'a', "  avrdude error: verification mismatch\r", "avrdude error: verification mismatch"},
        {'a', "avrdude: usbtiny: FAILED to open", "avrdude: usbtiny: FAILED to open"},
        {'a', " ***failed;", nullptr},
        {'a', " ***failed;", nullptr},
        {'d', "dfu-util: Warning: Invalid DFU suffix signature", nullptr},
        {'d', "dfu-util: A valid DFU suffix will be required in a future dfu-util release",
         nullptr},
        {'d', "Download\t[===  ]  12%  1024 bytesdfu-util-factory: Error during download",
         "dfu-util-factory: Error during download"},
        {'d', "error: this is not dfu-util's", nullptr},
        {'s', "Error: open failed", "Error: open failed"},
        {'s', "Info : no error here", nullptr},
        {'s', "Warn : failed", nullptr},
    };
    for (const auto& l : lines) {
        const auto error = profile(l.family).progressParser()->errorIn(l.line);
        EXPECT_EQ(error ? std::string(*error) : "none", l.error ? l.error : "none") << l.line;
    }
}

TEST(Output, HowTheToolEndedDecidesTheBanner) {
    VerdictSummary stopped(DfuUtilProfile::instance());
    stopped.feed(recording("dfu-util-0.11-success.txt"));
    stopped.toolEnded(ToolEnd::fromExit(false, 0, true));
    EXPECT_EQ(stopped.banner().kind, Kind::WrittenThenFailed);
    EXPECT_NE(stopped.banner().text.find("(it was stopped)"), std::string::npos);

    VerdictSummary crashed(OpenocdProfile::instance());
    crashed.feed("Open On-Chip Debugger 0.12.0\nError: open failed"); // no final line break
    crashed.toolEnded(ToolEnd::fromExit(false, 0, false));
    EXPECT_EQ(crashed.banner().text, "Update failed: openocd ended abnormally before it finished "
                                     "(Error: open failed). Connect the ST-Link probe by USB, and "
                                     "choose the one you use in the preferences.");
    EXPECT_EQ(crashed.progress(), (Progress{"Connecting", busy, State::Failed}));

    VerdictSummary halted(AvrdudeProfile::instance());
    halted.toolEnded(ToolEnd::fromExit(true, 1, true));
    EXPECT_EQ(halted.banner().text, "Update stopped: avrdude was stopped before it finished");
    // Translations get the texts with their places; the arguments go in after, as they are.
    setTextLookup([](const char*, const char* text) { return "%1: " + std::string(text); });
    EXPECT_EQ(halted.banner().text,
              "avrdude: Update stopped: avrdude was stopped before it finished");
    VerdictSummary full(OpenocdProfile::instance());
    full.toolEnded(ToolEnd::refused("100%2 full"));
    EXPECT_EQ(full.banner().text, "100%2 full: Update refused: 100%2 full");
    setTextLookup(nullptr);
    VerdictSummary refused(OpenocdProfile::instance());
    refused.toolEnded(ToolEnd::refused("\u201cx.bin\u201d is empty"));
    EXPECT_EQ(refused.banner().text, "Update refused: \u201cx.bin\u201d is empty");
    VerdictSummary missing(OpenocdProfile::instance());
    missing.toolEnded(ToolEnd::couldNotRun("could not start /r/openocd: No such file"));
    EXPECT_EQ(missing.banner().text, "Update failed: could not start /r/openocd: No such file");
    EXPECT_EQ(missing.progress().state, State::Failed);
}

// Any bytes at all, cut anywhere: the same reading whole as split, no crash, and the kept
// error line stays bounded and made of whole characters.
TEST(Output, RandomAndHostileBytesReadTheSameHoweverSplit) {
    std::mt19937 random(11);
    const std::string words[] = {"Writing | ",
                                 "#",
                                 "-",
                                 " | 100%",
                                 "\r",
                                 "\n",
                                 "\r\n",
                                 "%",
                                 "Download\t[===] 45%",
                                 "Download done.",
                                 "Error: x",
                                 "dfu-util: Error",
                                 "avrdude error: y",
                                 std::string(1, '\0'),
                                 "\xc3",
                                 "\xa9",
                                 "\xff\xfe",
                                 "Submitting leave request",
                                 "wrote 12 bytes from file x",
                                 "verified 12 bytes"};
    for (int round = 0; round < 300; ++round) {
        std::string output;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            output += words[random() % std::size(words)];
        const std::size_t at = output.empty() ? 0 : random() % output.size();
        const std::string_view text = output;
        // The log's text: UTF-8 however the bytes were, and the same however they were cut.
        std::string whole, split;
        Utf8Stream once, twice;
        once.decode(text, whole);
        once.finish(whole);
        twice.decode(text.substr(0, at), split);
        twice.decode(text.substr(at), split);
        twice.finish(split);
        ASSERT_EQ(split, whole);
        ASSERT_TRUE(isValidUtf8(whole));
        ASSERT_EQ(isValidUtf8(output), whole == output);
        for (char family : {'a', 'd', 's'}) {
            const Reading whole = read(family, {output});
            ASSERT_EQ(read(family, {text.substr(0, at), text.substr(at)}), whole)
                << family << " split at " << at << " of " << ::testing::PrintToString(output);
        }
    }
    // An endless line without a line break, then an endless error line of two-byte characters.
    for (char family : {'a', 'd', 's'}) {
        const auto parser = profile(family).progressParser();
        const std::string block(1 << 20, '#');
        for (int i = 0; i < 20; ++i)
            parser->feed(block);
        std::string error = family == 'd' ? "\ndfu-util: " : "\nError: ";
        for (int i = 0; i < 300000; ++i)
            error += "\xc3\xa9";
        parser->feed(error);
        parser->finish();
        const std::string& kept = parser->lastErrorLine();
        EXPECT_LE(kept.size(), 1024u) << family;
        ASSERT_GT(kept.size(), 100u) << family;
        EXPECT_EQ(kept.back(), '\xa9') << "a character was cut in two";
    }
}

} // namespace
} // namespace modflash
