#include "UpdateRunFixture.h"

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

// Failures of each family, output and verdict texts are checked through modflash-cli; here what
// only the run shows.
TEST_F(UpdateRunTest, VerdictContinuesOutputWithoutFinalNewlineAndASignalIsAFailure) {
    tools.installTool("avrdude", "printf 'last line'");
    update(avr);
    EXPECT_TRUE(log.endsWith("last line" + LogText::success));
    tools.installTool("avrdude", "printf 'last line'\nkill -KILL $$");
    update(avr);
    EXPECT_TRUE(log.endsWith("last line" + LogText::failureNotes));
    EXPECT_EQ(outcome, Outcome::ToolFailed);
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
