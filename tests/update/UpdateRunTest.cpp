#include "UpdateRunFixture.h"

#include "AVRProduct.h"

namespace modflash {
namespace {

using Outcome = UpdateRun::Outcome;
using RunningChanges = std::vector<bool>;

class UpdateRunTest : public UpdateRunFixture {};

TEST_F(UpdateRunTest, SuccessLeavesExactLogAndRunsToolWithExactlyItsCommand) {
    // Each argument on its own line shows the vector arrives element by element, and the
    // environment the tool started with must hold one variable only.
    tools.installTool("dfu-util", "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n"
                                  "tr '\\0' '\\n' < /proc/$$/environ\n"
                                  "printf 'Download done.\\n'\n");
    update(dfu);

    const QString image = tools.filePath("firmware images/testdfu_1.0.bin");
    const QString tool = tools.filePath("dfu-util");
    EXPECT_EQ(recorder.log(), LogText::beginning + "\nUpdating Test DFU firmware with command:\n" +
                                  tool + " -a 0 -s 0x08000000:leave -D " + image +
                                  " -d 0483:df11\n" +
                                  "[-a]\n[0]\n[-s]\n[0x08000000:leave]\n[-D]\n[" + image +
                                  "]\n[-d]\n[0483:df11]\n" + "LD_LIBRARY_PATH=" + tools.path() +
                                  "\n" + "Download done.\n" + LogText::success);
    EXPECT_EQ(recorder.outcome(), Outcome::Succeeded);
    EXPECT_EQ(recorder.runningChanges(), (RunningChanges{true, false}));
    EXPECT_TRUE(diagnostics.lines().isEmpty());
}

TEST_F(UpdateRunTest, NonZeroStatusOfEveryFamilyGivesBothNotesAndNothingElse) {
    for (const ProductPtr& product : {avr, dfu, swd}) {
        SCOPED_TRACE(product->title());
        tools.installTool(toolOf(product), "printf 'No device found.\\n'\nexit 1");
        const qsizetype before = recorder.log().size();
        update(product);
        EXPECT_EQ(recorder.log().mid(before), LogText::beginning + headerFor(product) +
                                                  "No device found.\n" + LogText::failureNotes);
        EXPECT_EQ(recorder.outcome(), Outcome::ToolFailed);
    }
    EXPECT_EQ(recorder.runningChanges(), (RunningChanges{true, false, true, false, true, false}));
    EXPECT_TRUE(diagnostics.lines().isEmpty());
}

TEST_F(UpdateRunTest, ToolEndedBySignalCountsAsFailure) {
    tools.installTool("avrdude", "printf 'writing\\n'\nkill -KILL $$");
    update(avr);
    EXPECT_EQ(recorder.log(),
              LogText::beginning + headerFor(avr) + "writing\n" + LogText::failureNotes);
    EXPECT_EQ(recorder.outcome(), Outcome::ToolFailed);
}

TEST_F(UpdateRunTest, ToolThatCannotStartIsReportedAfterTheHeader) {
    const QString tool = tools.filePath("avrdude");
    struct Case {
        const char* name;
        bool present;
        const char* cause;
    };
    for (const Case& c : {Case{"missing", false, "No such file or directory"},
                          Case{"not executable", true, "Permission denied"}}) {
        SCOPED_TRACE(c.name);
        tools.remove("avrdude");
        if (c.present)
            tools.writeFile("avrdude", "#!/bin/sh\nexit 0\n");
        const qsizetype before = recorder.log().size();
        const qsizetype linesBefore = diagnostics.lines().size();
        update(avr);
        EXPECT_EQ(recorder.log().mid(before), LogText::beginning + headerFor(avr) + LogText::error);
        EXPECT_EQ(diagnostics.lines().mid(linesBefore),
                  QStringList{"Problem running task: could not start " + tool + ": " + c.cause});
        EXPECT_EQ(recorder.outcome(), Outcome::CouldNotRun);
    }
    EXPECT_EQ(recorder.runningChanges(), (RunningChanges{true, false, true, false}));
}

TEST_F(UpdateRunTest, CommandThatCannotBeBuiltEndsWithoutHeader) {
    tools.installTool("avrdude", "exit 0");
    tools.installTool("openocd", "exit 0");
    struct Case {
        ProductPtr product;
        QString removed;
    };
    for (const Case& c : {Case{avr, "avrdude.conf"}, Case{swd, "openocd_flash_pre.cfg"},
                          Case{swd, "openocd_flash_post.cfg"}, Case{swd, "openocd-scripts"}}) {
        SCOPED_TRACE(c.removed.toStdString());
        ToolDirectory incomplete;
        incomplete.remove(c.removed);
        UpdateRun failing;
        UpdateRecorder failingRecorder(failing);
        const qsizetype linesBefore = diagnostics.lines().size();

        // The verdict comes before start() returns: there is nothing to wait for.
        ASSERT_TRUE(
            failing.start(c.product, imageFor(c.product), incomplete.resources(), preferences));
        EXPECT_EQ(failingRecorder.log(), LogText::beginning + LogText::error);
        EXPECT_EQ(failingRecorder.outcome(), Outcome::CouldNotRun);
        EXPECT_EQ(failingRecorder.runningChanges(), (RunningChanges{true, false}));
        EXPECT_FALSE(failing.isBusy());
        ASSERT_EQ(diagnostics.lines().size(), linesBefore + 1);
        const QString line = diagnostics.lines().last();
        EXPECT_TRUE(line.startsWith("Problem running task: ")) << line.toStdString();
        EXPECT_TRUE(line.contains(incomplete.filePath(c.removed))) << line.toStdString();
    }
}

TEST_F(UpdateRunTest, OutputReachesTheLogUnchanged) {
    // Format directives in the output or the title are text, never formats; the terminal's
    // carriage returns are left to the log view.
    const ProductPtr product = AVRProduct::productWithTitle("Test %2 %@ AVR", "testavr_", 1);
    tools.installTool("avrdude", "printf '100%% %%@ %%1 %%s %%n\\r50%%\\r\\n'");
    update(product);
    EXPECT_EQ(recorder.log(), LogText::beginning + headerFor(product) +
                                  "100% %@ %1 %s %n\r50%\r\n" + LogText::success);
    EXPECT_TRUE(recorder.log().contains("\nUpdating Test %2 %@ AVR firmware with command:\n"));
}

TEST_F(UpdateRunTest, VerdictContinuesOutputWithoutFinalNewline) {
    tools.installTool("avrdude", "printf 'last line'");
    update(avr);
    EXPECT_TRUE(recorder.log().endsWith("last line" + LogText::success));

    tools.installTool("avrdude", "printf 'last line'\nexit 2");
    update(avr);
    EXPECT_TRUE(recorder.log().endsWith("last line" + LogText::failureNotes));
}

TEST_F(UpdateRunTest, OutputIsDecodedAcrossReadsWithoutLosingBytes) {
    // The "é" is split over two writes with a pause between them, so over two reads; an
    // invalid byte and a character cut off by the end of the output still show.
    tools.installTool("avrdude", "printf 'caf\\303'\nsleep 0.2\nprintf '\\251 \\377\\n'\n"
                                 "printf 'cut \\342\\202'");
    update(avr);
    const QString replacement(QChar::ReplacementCharacter);
    EXPECT_EQ(recorder.log(), LogText::beginning + headerFor(avr) + "café " + replacement +
                                  "\ncut " + replacement + LogText::success);
}

TEST_F(UpdateRunTest, ToolReadingInputSeesItsEnd) {
    tools.installTool("avrdude", "read answer\nprintf 'answer=[%s]\\n' \"$answer\"");
    update(avr);
    EXPECT_EQ(recorder.log(),
              LogText::beginning + headerFor(avr) + "answer=[]\n" + LogText::success);
}

TEST_F(UpdateRunTest, SecondUpdateAppendsBelowTheFirst) {
    tools.installTool("dfu-util", "printf 'first\\n'");
    update(dfu);
    const QString first = recorder.log();
    tools.installTool("dfu-util", "printf 'second\\n'\nexit 74");
    update(dfu);
    EXPECT_EQ(recorder.log(),
              first + LogText::beginning + headerFor(dfu) + "second\n" + LogText::failureNotes);
    EXPECT_EQ(recorder.finishedCount(), 2);
}

TEST_F(UpdateRunTest, LargeOutputArrivesWholeBeforeTheVerdict) {
    constexpr qsizetype size = 10 * 1024 * 1024;
    tools.installTool("openocd", "head -c " + QByteArray::number(size) + " /dev/zero | tr '\\0' x");
    update(swd);
    const QString prefix = LogText::beginning + headerFor(swd);
    const QString& log = recorder.log();
    ASSERT_TRUE(log.startsWith(prefix));
    ASSERT_TRUE(log.endsWith(LogText::success));
    const QStringView output = QStringView(log).sliced(prefix.size(), log.size() - prefix.size() -
                                                                          LogText::success.size());
    EXPECT_EQ(output.size(), size);
    EXPECT_EQ(output.count(QLatin1Char('x')), size);
    EXPECT_GT(recorder.texts().size(), 3) << "the output should arrive in many chunks";
}

TEST_F(UpdateRunTest, LargeMultiByteOutputKeepsEveryCharacter) {
    // Reads end wherever the pipe happens to be; characters they split must still be whole.
    constexpr int lines = 500'000;
    tools.installTool("dfu-util",
                      "yes '\303\251\342\202\254' | head -n " + QByteArray::number(lines));
    update(dfu);
    const QString prefix = LogText::beginning + headerFor(dfu);
    EXPECT_EQ(recorder.log(), prefix + QStringLiteral("é€\n").repeated(lines) + LogText::success);
}

} // namespace
} // namespace modflash
