// SPDX-License-Identifier: GPL-3.0-or-later
// The tools' output read for progress, error lines, the verdict and the AVR signature, over
// recordings of what the tools print and over a line without end.
#include "Golden.h"
#include "flashing/AvrSignature.h"
#include "flashing/AvrdudeProfile.h"
#include "flashing/DfuUtilProfile.h"
#include "flashing/LogTexts.h"
#include "flashing/OpenocdProfile.h"
#include "flashing/TextLookup.h"
#include "flashing/Utf8.h"
#include "flashing/VerdictSummary.h"

namespace modflash {
namespace {

using Kind = VerdictSummary::Banner::Kind;

std::string recording(const std::string& name) {
    const std::string text = testing::readFile(std::string(MODFLASH_TOOL_OUTPUT_DIR) + "/" + name);
    EXPECT_FALSE(text.empty()) << name;
    return text;
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

std::string shown(const Progress& p) {
    return (p.isIndeterminate() ? "busy" : std::to_string(p.percent)) +
           (p.state == Progress::State::Running ? "" : std::string(" ") + stateName(p.state));
}
// One stretch of a phase a line: the phase, then each step of its progress.
std::string transcript(const Reading& reading) {
    std::string text, last = "\n";
    for (const Progress& p : reading.sequence)
        text +=
            (p.phaseText() == last ? " "
                                   : (text.empty() ? "" : "\n") + (last = p.phaseText()) + ": ") +
            shown(p);
    return text + "\nerror line: " + reading.lastError + "\nafter writing: " + reading.lateError +
           "\nwhole image written: " + (reading.written ? "yes" : "no") + "\n";
}
std::string transcript(const VerdictSummary& summary) {
    static const char* const kinds[] = {"running", "completed", "failed", "written then failed"};
    return "banner, " + std::string(kinds[static_cast<int>(summary.banner().kind)]) + ": " +
           summary.banner().text + "\nprogress: " + summary.progress().phaseText() + " " +
           shown(summary.progress()) + "\n";
}

// Each recording whole, and how each way a tool can end decides the banner and the log.
TEST(Output, EachRecordingsProgressAndEachEndsBanner) {
    std::string text;
    // Each recording with the exit status its tool ended with (recording-ends.txt).
    for (const std::string& end : testing::linesOf(
             testing::readFile(std::string(MODFLASH_GOLDEN_DIR) + "/recording-ends.txt"))) {
        if (end.starts_with("#"))
            continue;
        const std::string file = end.substr(0, end.find(' '));
        const int status = std::stoi(end.substr(file.size()));
        const std::string output = recording(std::string(file) + ".txt");
        VerdictSummary summary(profile(file[0]));
        summary.feed(output);
        EXPECT_EQ(summary.banner().kind, Kind::Running) << file;
        summary.toolEnded(ToolEnd::fromExit(true, status, false));
        text += "== " + file + ", exit status " + std::to_string(status) + "\n" +
                transcript(read(file[0], {output})) + transcript(summary);
    }
    const auto ended = [&](char family, const std::string& output, const ToolEnd& end) {
        VerdictSummary summary(profile(family));
        summary.feed(output);
        summary.toolEnded(end);
        text += transcript(summary);
    };
    text += "== the AVR module check refused the programmer, and the advice for this computer\n";
    VerdictSummary checked(profile('a'));
    checked.feed(recording("avrdude-7.1-usbtiny-no-access.txt"));
    checked.toolEnded(ToolEnd::moduleCheckFailed(1, "This user may not open the programmer.", {}));
    checked.setAccessAdvice("Plug it in again.");
    text += transcript(checked);
    text += "== dfu-util stopped after writing\n";
    ended('d', recording("dfu-util-0.11-success.txt"), ToolEnd::fromExit(false, 0, true));
    text += "== openocd crashed after an error line without a line break\n";
    ended('o', "Open On-Chip Debugger 0.12.0\nError: open failed",
          ToolEnd::fromExit(false, 0, false));
    text += "== a success whose output shows no phase names none\n";
    ended('a', "done\n", ToolEnd::fromExit(true, 0, false));
    text += "== avrdude stopped, refused, could not run\n";
    ended('a', "", ToolEnd::fromExit(true, 1, true));
    ended('o', "", ToolEnd::refused("\u201cx.bin\u201d is empty"));
    ended('o', "", ToolEnd::couldNotRun("could not start /r/openocd: No such file"));
    text += "== each end's kind and log verdict (exited normally, status, stop asked)\n";
    static const char* const kinds[] = {"completed", "failed", "crashed", "stopped"};
    const int ends[][3] = {{1, 0, 0}, {1, 0, 1}, {1, 74, 0}, {1, 1, 1}, {0, 0, 0}, {0, 9, 1}};
    for (const auto& [normal, status, stopped] : ends) {
        const ToolEnd end = ToolEnd::fromExit(normal, status, stopped);
        text += std::to_string(normal) + " " + std::to_string(status) + " " +
                std::to_string(stopped) + ": " + kinds[static_cast<int>(end.kind)] + " " +
                std::to_string(end.exitStatus);
        for (const auto& line : FamilyProfile::none().verdictTexts(end))
            text += " | " + testing::escaped(line);
        text += "\n";
    }
    for (const auto& line : FamilyProfile::none().verdictTexts(ToolEnd::couldNotRun("x")))
        text += "could not run: " + testing::escaped(line) + "\n";
    testing::expectMatchesGolden("verdicts.txt", text);

    // Translations get the texts with their places; the arguments go in after, as they are.
    VerdictSummary halted(AvrdudeProfile::instance());
    halted.toolEnded(ToolEnd::fromExit(true, 1, true));
    setTextLookup([](const char*, const char* text) { return "%1: " + std::string(text); });
    EXPECT_EQ(halted.banner().text,
              "avrdude: Update stopped: avrdude was stopped before it finished");
    VerdictSummary full(OpenocdProfile::instance());
    full.toolEnded(ToolEnd::refused("100%2 full"));
    EXPECT_EQ(full.banner().text, "100%2 full: Update refused: 100%2 full");
    setTextLookup(nullptr);
}

// Short outputs: dfu-util's other closing line, avrdude reading a memory back, a message inside
// a bar (no mark, and the marks carry on after it); and single lines for the error line each
// family keeps, and not their warnings.
TEST(Output, ShortOutputsAndErrorLinesOfEachTool) {
    testing::expectEachLineMaps("short-outputs.txt", 5, [](const std::string& input) {
        const auto text = transcript(read(input[0], {std::string_view(input).substr(2)}));
        return testing::escaped(text.substr(0, text.find("\nerror line")));
    });
    testing::expectEachLineMaps("error-lines.txt", 13, [](const std::string& input) {
        const std::string_view line = std::string_view(input).substr(2);
        return std::string(profile(input[0]).progressParser()->errorIn(line).value_or("(none)"));
    });
    testing::expectEachLineMaps("advice.txt", 34, [](const std::string& input) {
        return profile(input[0]).advice(std::string_view(input).substr(2));
    });
}

// One English word, two phases: a translation tells the image going to the module from the
// image coming from the feed.
TEST(Output, DfuUtilsDownloadIsWordedApartFromTheFeedsDownload) {
    setTextLookup(
        [](const char* context, const char* text) { return context + (":" + std::string(text)); });
    const auto parser = profile('d').progressParser();
    parser->feed("Download\t[=====    ]  40%  1024 bytes");
    EXPECT_EQ(parser->progress().phaseText(), "modflash::Phase::ToModule:Downloading");
    EXPECT_EQ(phaseText(Phase::Downloading), "modflash::Phase:Downloading");
    setTextLookup(nullptr);
}

// The edges of each sequence length, and stray continuation bytes that no lead byte starts: the
// fuzz target holds the stream to itself, these to UTF-8.
TEST(Output, Utf8EdgesAreValidAndJustBeyondThemNot) {
    for (const char* valid : {"\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(isValidUtf8(valid)) << valid;
    for (const char* invalid : {"\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                "\xBF\xBF\xBF", "\x80\x90\x80\x80"})
        EXPECT_FALSE(isValidUtf8(invalid)) << invalid;
}

// The readers' sameness however output is cut, over recordings and hostile bytes, is the fuzz
// targets' (fuzz/): here, a line too long for memory. The kept error line stays bounded and
// made of whole characters, and the signature line after an endless one is still read.
TEST(Output, AnEndlessLineIsCutToABoundedOneOfWholeCharacters) {
    // A line without a line break, then an error line of two-byte characters, both endless.
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
    EXPECT_EQ(AvrSignatureReader::read(block + block + "\navrdude: device signature = 0x1e930b\n")
                  .signature,
              (AvrSignatureBytes{0x1E, 0x93, 0x0B}));
}

} // namespace
} // namespace modflash
