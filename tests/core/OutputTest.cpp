// SPDX-License-Identifier: GPL-3.0-or-later
// The tools' output read for progress, error lines, the verdict and the AVR signature, over
// recordings of what the tools print and over random and hostile bytes.
#include "AvrSignature.h"
#include "AvrdudeProfile.h"
#include "DfuUtilProfile.h"
#include "DfuseLayout.h"
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

using namespace std::string_view_literals;
using Kind = VerdictSummary::Banner::Kind;
using State = Progress::State;
constexpr int busy = Progress::indeterminate;
constexpr State Running = State::Running, Done = State::Done, Failed = State::Failed;

std::string recording(const std::string& name) {
    std::ifstream in(std::string(MODFLASH_TOOL_OUTPUT_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// 'a'vrdude, 'd'fu-util or 'o'penocd, as the recordings' names begin.
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

// The phases in order, each once per stretch, joined by commas.
std::string phasesOf(const std::string& family, const std::string& file) {
    std::string phases, last;
    for (const auto& progress : read(family[0], {recording(family + file)}).sequence)
        if (progress.phase != last)
            phases += (phases.empty() ? "" : ",") + (last = progress.phase);
    return phases;
}

const std::string leftDfu = "The image was written completely; dfu-util reported an error only "
                            "after the download had finished, while leaving DFU mode (";
const struct Recorded {
    const char* file;
    int exitStatus;
    Progress last;
    std::string banner; // a failure's goes on with what to try, by what the tool last said
} recordings[] = {
    {"avrdude-7.1-usbtiny-success", 0, {"Verifying efuse", 100, Done}, "Update completed"},
    {"avrdude-7.1-verify-mismatch",
     1,
     {"Verifying flash", 100, Done},
     "Update failed: avrdude error: verification mismatch. The module reads back"},
    // Unplugged at 74 %: avrdude retries byte by byte, then fails to read the flash back.
    {"avrdude-7.1-write-failed",
     1,
     {"Verifying flash", 0, Failed},
     "Update failed: avrdude error: error sending control message: No such device. Connect the "
     "programmer"},
    {"avrdude-7.1-usbasp-no-device",
     1,
     {"Starting", busy, Running},
     "Update failed: avrdude error: unable to open programmer usbasp on port usb. Connect the"},
    // A warning is no reason; with none, the exit status is.
    {"avrdude-7.1-usbtiny-success",
     1,
     {"Verifying efuse", 100, Done},
     "Update failed: avrdude ended with exit status 1. Check the ISP cable"},
    {"dfu-util-0.11-success", 0, {"Downloading", 100, Done}, "Update completed"},
    {"dfu-util-0.11-mass-erase-success",
     1,
     {"Downloading", 100, Done},
     leftDfu + "exit status 1). Restart the module to run the new firmware."},
    {"dfu-util-0.11-late-error",
     74,
     {"Downloading", 100, Done},
     leftDfu + "dfu-util: Error during download get_status). Restart the module to run the new "
               "firmware."},
    {"dfu-util-0.11-download-failed",
     74,
     {"Downloading", 40, Failed},
     "Update failed: dfu-util: Error during download. The boot loader stopped answering"},
    {"dfu-util-0.11-mass-erase-no-device",
     74,
     {"Starting", busy, Failed},
     "Update failed: dfu-util-factory: No DFU capable USB device available. Put the module"},
    {"openocd-0.12-stlink-v2-success", 0, {"Verifying", 100, Done}, "Update completed"},
    {"openocd-0.12-write-failed",
     1,
     {"Erasing and writing", busy, Failed},
     "Update failed: Error: error writing to flash at address 0x08000000 at offset 0x00000000. "
     "Check the SWD cable"},
    {"openocd-0.12-verify-failed",
     1,
     {"Verifying", busy, Failed},
     "Update failed: Error: checksum mismatch - attempting binary compare. The module reads"},
    {"openocd-0.12-stlink-v2-1-no-device",
     1,
     {"Connecting", busy, Failed},
     "Update failed: Error: open failed. Connect the ST-Link probe"}};

TEST(Output, EachRecordingEndsInItsProgressAndBanner) {
    for (const Recorded& r : recordings) {
        SCOPED_TRACE(std::string(r.file) + " exit " + std::to_string(r.exitStatus));
        const std::string output = recording(std::string(r.file) + ".txt");
        EXPECT_EQ(read(r.file[0], {output}).sequence.back(), r.last);
        VerdictSummary summary(profile(r.file[0]));
        summary.feed(output);
        EXPECT_EQ(summary.banner().kind, Kind::Running);
        summary.toolEnded(ToolEnd::fromExit(true, r.exitStatus, false));
        const bool failed = r.banner.starts_with("Update failed");
        EXPECT_EQ(summary.banner().kind, r.banner.starts_with("Update completed") ? Kind::Completed
                                         : failed                                 ? Kind::Failed
                                                  : Kind::WrittenThenFailed);
        EXPECT_EQ(summary.banner().text.substr(0, failed ? r.banner.size() : std::string::npos),
                  r.banner);
        EXPECT_EQ(summary.progress().state, failed ? Failed : Done);
        EXPECT_TRUE(failed || summary.progress().percent == 100);
    }
}

TEST(Output, PhasesOfEachTool) {
    EXPECT_EQ(phasesOf("avrdude", "-7.1-usbtiny-success.txt"),
              "Starting,Writing flash,Verifying flash,Writing hfuse,Verifying hfuse,Writing lfuse,"
              "Verifying lfuse,Writing efuse,Verifying efuse");
    std::vector<int> marks;
    for (const Progress& p : read('a', {recording("avrdude-7.1-usbtiny-success.txt")}).sequence)
        if (p.phase == "Writing flash")
            marks.push_back(p.percent);
    // Busy, then 0, one step per "#" at 2 % each, then the closing 100% marks it done.
    EXPECT_EQ(marks.size(), 53u);
    EXPECT_EQ(marks[0] + marks[2] + marks[26], busy + 2 + 50);
    EXPECT_EQ(phasesOf("dfu-util", "-0.11-success.txt"), "Starting,Connecting,Erasing,Downloading");
    EXPECT_EQ(phasesOf("dfu-util", "-0.11-mass-erase-success.txt"),
              "Starting,Connecting,Mass erasing,Erasing,Downloading");
    EXPECT_EQ(read('o', {recording("openocd-0.12-stlink-v2-success.txt")}).sequence,
              (std::vector<Progress>{{"Starting", busy, Running},
                                     {"Connecting", busy, Running},
                                     {"Erasing and writing", busy, Running},
                                     {"Verifying", busy, Running},
                                     {"Verifying", 100, Done}}));
    // dfu-util's other closing line, and avrdude reading a memory back.
    EXPECT_EQ(read('d', {"Download\t[=====] 100%\nFile downloaded successfully\n"}).sequence.back(),
              (Progress{"Downloading", 100, Done}));
    EXPECT_EQ(read('a', {"avrdude: reading flash memory ...\n"}).sequence.back(),
              (Progress{"Reading flash", busy, Running}));
    // A message inside a bar is no mark, and the marks carry on after it.
    EXPECT_EQ(read('a', {"avrdude: writing 10 bytes eeprom ...\n\nWriting | ####\navrdude: "
                         "retry\n############################################## | 100% 0.2s\n"})
                  .sequence.back(),
              (Progress{"Writing eeprom", 100, Done}));
}

// Each line after its family's letter, and the error line read from it after " => ".
TEST(Output, ErrorLinesOfEachToolAndNotTheirWarnings) {
    for (const std::string_view line :
         {"a avrdude warning: cannot set sck period", "a avrdude: warning: failed to read",
          "a   avrdude error: verification mismatch\r => avrdude error: verification mismatch",
          "a avrdude: usbtiny: FAILED to open => avrdude: usbtiny: FAILED to open", "a  ***failed;",
          "d dfu-util: Warning: Invalid DFU suffix signature",
          "d dfu-util: A valid DFU suffix will be required in a future dfu-util release",
          "d Download\t[===  ]  12%  1024 bytesdfu-util-factory: Error during download => "
          "dfu-util-factory: Error during download",
          "d error: this is not dfu-util's", "o Error: open failed => Error: open failed",
          "o Info : no error here", "o Warn : failed"}) {
        const auto arrow = std::min(line.find(" => "), line.size());
        const auto error = profile(line[0]).progressParser()->errorIn(line.substr(2, arrow - 2));
        EXPECT_EQ(error.value_or("none"), arrow < line.size() ? line.substr(arrow + 4) : "none")
            << line;
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
    EXPECT_EQ(crashed.progress(), (Progress{"Connecting", busy, Failed}));

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
    EXPECT_EQ(missing.progress().state, Failed);
}

AvrSignatureReading readSignature(const std::vector<std::string_view>& chunks) {
    AvrSignatureReader reader;
    for (auto chunk : chunks)
        reader.feed(chunk);
    reader.finish();
    return reader.reading();
}

// Any bytes at all, cut anywhere: the same reading whole as split, no crash, and the kept
// error line stays bounded and made of whole characters. The same for the signature reader,
// and a boot loader's layout text, read from the device, is no more trusted than tool output.
TEST(Output, RandomAndHostileBytesReadTheSameHoweverSplit) {
    std::mt19937 random(11);
    std::vector<std::string> words;
    std::istringstream list(
        std::string("Writing | ~#~-~ | 100%~\r~\n~\r\n~%~Download\t[===] 45%~Download "
                    "done.~Error: x~dfu-util: Error~avrdude error: y~\0~\xc3~\xa9~\xff\xfe~"
                    "Submitting leave request~wrote 12 bytes from file x~verified 12 bytes~"
                    "avrdude: device signature = 0x1e95~0f~ (probably m328p)~unable to "
                    "open programmer ~initialization failed, rc=-1~@F/0x08000000/~4*016Kg"sv));
    for (std::string word; std::getline(list, word, '~');)
        words.push_back(word);
    for (int round = 0; round < 300; ++round) {
        std::string output;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            output += words[random() % words.size()];
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
        for (char family : {'a', 'd', 'o'}) {
            const Reading whole = read(family, {output});
            ASSERT_EQ(read(family, {text.substr(0, at), text.substr(at)}), whole)
                << family << " split at " << at << " of " << ::testing::PrintToString(output);
        }
        ASSERT_EQ(readSignature({text.substr(0, at), text.substr(at)}),
                  AvrSignatureReader::read(text));
        DfuseLayout::parse(text);
        DfuseLayout::flashForImages(text);
    }
    // An endless line without a line break, then an endless error line of two-byte characters.
    const std::string block(1 << 20, '#');
    for (char family : {'a', 'd', 'o'}) {
        const auto parser = profile(family).progressParser();
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
    // The signature line after an endless one is still read: only the endless line is cut.
    EXPECT_EQ(readSignature({block, block, "\navrdude: device signature = 0x1e930b\n"}).signature,
              (AvrSignatureBytes{0x1E, 0x93, 0x0B}));
}

} // namespace
} // namespace modflash
