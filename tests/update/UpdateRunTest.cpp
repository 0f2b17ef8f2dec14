#include "UpdateRunFixture.h"

#include "AVRProduct.h"

namespace modflash {
namespace {

using Outcome = UpdateRun::Outcome;
using RunningChanges = std::vector<bool>;

using UpdateRunTest = UpdateRunFixture;

TEST_F(UpdateRunTest, SuccessLeavesExactLogAndRunsToolWithExactlyItsCommand) {
    // Each argument on its own line shows the vector arrives element by element, and the
    // environment the tool started with must hold one variable only.
    tools.installTool("dfu-util", "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n"
                                  "tr '\\0' '\\n' < /proc/$$/environ\n"
                                  "printf 'Download done.\\n'\n");
    update(dfu);
    const QString image = tools.filePath("firmware images/testdfu_1.0.bin");
    EXPECT_EQ(log, LogText::beginning + "\nUpdating Test DFU firmware with command:\n" +
                       tools.filePath("dfu-util") + " -a 0 -s 0x08000000:leave -D " + image +
                       " -d 0483:df11\n" + "[-a]\n[0]\n[-s]\n[0x08000000:leave]\n[-D]\n[" + image +
                       "]\n[-d]\n[0483:df11]\n" + "LD_LIBRARY_PATH=" + tools.path() + "\n" +
                       "Download done.\n" + LogText::success);
    EXPECT_EQ(outcome, Outcome::Succeeded);
    EXPECT_EQ(runningChanges, (RunningChanges{true, false}));
    EXPECT_TRUE(diagnostics().isEmpty());
}

TEST_F(UpdateRunTest, FailureOfEveryFamilyOrBySignalGivesBothNotesAndNothingElse) {
    const struct {
        ProductPtr product;
        const char* tool;
        QByteArray body;
    } failures[] = {{avr, "avrdude", "exit 1"},
                    {dfu, "dfu-util", "exit 1"},
                    {swd, "openocd", "exit 1"},
                    {avr, "avrdude", "kill -KILL $$"}};
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.tool + (" " + failure.body).toStdString());
        tools.installTool(failure.tool, "printf 'No device found.\\n'\n" + failure.body);
        const qsizetype before = log.size();
        update(failure.product);
        EXPECT_EQ(log.mid(before), LogText::beginning + headerFor(failure.product) +
                                       "No device found.\n" + LogText::failureNotes);
        EXPECT_EQ(outcome, Outcome::ToolFailed);
    }
    EXPECT_EQ(runningChanges.size(), 8u);
    EXPECT_TRUE(diagnostics().isEmpty());
}

TEST_F(UpdateRunTest, ToolThatCannotStartIsReportedAfterTheHeader) {
    // Missing, then present but not executable.
    for (const char* cause : {"No such file or directory", "Permission denied"}) {
        const qsizetype before = log.size();
        update(avr);
        EXPECT_EQ(log.mid(before), LogText::beginning + headerFor(avr) + LogText::error);
        EXPECT_EQ(diagnostics(), QStringList{"Problem running task: could not start " +
                                             tools.filePath("avrdude") + ": " + cause});
        EXPECT_EQ(outcome, Outcome::CouldNotRun);
        diagnostics().clear();
        tools.writeFile("avrdude", "#!/bin/sh\nexit 0\n");
    }
    EXPECT_EQ(runningChanges, (RunningChanges{true, false, true, false}));
}

TEST_F(UpdateRunTest, CommandThatCannotBeBuiltEndsAtOnceWithoutHeader) {
    tools.installTool("avrdude", "exit 0");
    tools.installTool("openocd", "exit 0");
    for (const auto& [product, removed] :
         {std::pair{avr, "avrdude.conf"}, std::pair{swd, "openocd_flash_pre.cfg"},
          std::pair{swd, "openocd_flash_post.cfg"}, std::pair{swd, "openocd-scripts"}}) {
        SCOPED_TRACE(removed);
        ToolDirectory incomplete;
        incomplete.remove(removed);
        const qsizetype before = log.size();
        diagnostics().clear();
        // The verdict comes before start() returns: there is nothing to wait for.
        ASSERT_TRUE(run.start(product, imageFor(product), incomplete.resources(), preferences));
        EXPECT_FALSE(run.isBusy());
        EXPECT_EQ(log.mid(before), LogText::beginning + LogText::error);
        EXPECT_EQ(outcome, Outcome::CouldNotRun);
        ASSERT_EQ(diagnostics().size(), 1);
        EXPECT_TRUE(diagnostics().front().startsWith("Problem running task: "));
        EXPECT_TRUE(diagnostics().front().contains(incomplete.filePath(removed)));
    }
    EXPECT_EQ(runningChanges, (RunningChanges{true, false, true, false, true, false, true, false}));
}

TEST_F(UpdateRunTest, OutputReachesTheLogUnchanged) {
    // Format directives in the output or the title are text, never formats; the terminal's
    // carriage returns are left to the log view; a tool reading its input sees its end.
    const ProductPtr product = AVRProduct::productWithTitle("Test %2 %@ AVR", "testavr_", 1);
    tools.installTool("avrdude", "read answer\nprintf '[%s]100%% %%@ %%1 %%s %%n\\r50%%\\r\\n' "
                                 "\"$answer\"");
    update(product);
    EXPECT_EQ(log, LogText::beginning + headerFor(product) + "[]100% %@ %1 %s %n\r50%\r\n" +
                       LogText::success);
    EXPECT_TRUE(log.contains("\nUpdating Test %2 %@ AVR firmware with command:\n"));
}

TEST_F(UpdateRunTest, VerdictContinuesOutputWithoutFinalNewline) {
    tools.installTool("avrdude", "printf 'last line'");
    update(avr);
    EXPECT_TRUE(log.endsWith("last line" + LogText::success));
    tools.installTool("avrdude", "printf 'last line'\nexit 2");
    update(avr);
    EXPECT_TRUE(log.endsWith("last line" + LogText::failureNotes));
}

TEST_F(UpdateRunTest, OutputIsDecodedAcrossReadsWithoutLosingBytes) {
    // The "é" is split over two writes with a pause between them, so over two reads; an
    // invalid byte and a character cut off by the end of the output still show.
    tools.installTool("avrdude", "printf 'caf\\303'\nsleep 0.2\nprintf '\\251 \\377\\n'\n"
                                 "printf 'cut \\342\\202'");
    update(avr);
    const QString replacement(QChar::ReplacementCharacter);
    EXPECT_EQ(log, LogText::beginning + headerFor(avr) + "café " + replacement + "\ncut " +
                       replacement + LogText::success);
}

TEST_F(UpdateRunTest, SecondUpdateAppendsBelowTheFirst) {
    tools.installTool("dfu-util", "printf 'first\\n'");
    update(dfu);
    const QString first = log;
    tools.installTool("dfu-util", "printf 'second\\n'\nexit 74");
    update(dfu);
    EXPECT_EQ(log,
              first + LogText::beginning + headerFor(dfu) + "second\n" + LogText::failureNotes);
    EXPECT_EQ(finishedCount, 2);
}

TEST_F(UpdateRunTest, LargeOutputArrivesWholeBeforeTheVerdict) {
    constexpr qsizetype size = 10 * 1024 * 1024;
    tools.installTool("openocd", "head -c " + QByteArray::number(size) + " /dev/zero | tr '\\0' x");
    update(swd);
    const QString prefix = LogText::beginning + headerFor(swd);
    ASSERT_TRUE(log.startsWith(prefix));
    ASSERT_TRUE(log.endsWith(LogText::success));
    const QStringView output = QStringView(log).sliced(prefix.size(), log.size() - prefix.size() -
                                                                          LogText::success.size());
    EXPECT_EQ(output.count(QLatin1Char('x')), size);
    EXPECT_EQ(output.size(), size);
    EXPECT_GT(chunkCount, 3) << "the output should arrive in many chunks";
}

} // namespace
} // namespace modflash
