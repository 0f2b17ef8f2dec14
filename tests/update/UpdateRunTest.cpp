// The update run and the status both front ends show from it, with shell scripts standing in
// for the flashing tools: what only the class shows. The log's texts, Stop and the banners are
// checked where users meet them, through the window and modflash-cli.
#include "UpdateRunFixture.h"
#include "UpdateStatus.h"

#include <chrono>

namespace modflash {
namespace {

using namespace std::chrono_literals;
using Outcome = UpdateRun::Outcome;
using RunningChanges = std::vector<bool>;
using Kind = VerdictSummary::Banner::Kind;

class UpdateRunTest : public UpdateRunFixture {
protected:
    UpdateRunTest() {
        QObject::connect(&run, &UpdateRun::outputChunk, &run,
                         [this](const QByteArray& chunk) { raw += chunk; });
    }

    // Starts a tool that announces itself and then waits for a signal.
    void startWaitingTool(const QByteArray& prelude) {
        tools.installTool("avrdude", prelude + "\nprintf 'started\\n'\n"
                                               "while :; do sleep 0.05; done");
        ASSERT_TRUE(run.start(avr, imageFor(avr), tools.resources(), preferences));
        ASSERT_TRUE(waitForLog("started\n"));
    }

    UpdateStatus status{run};
    QByteArray raw;
};

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
        // The reason is the run's, and the banner gives it.
        EXPECT_EQ(status.bannerText(), "Update failed: " + run.toolEnd().failure);
    }
    EXPECT_EQ(runningChanges, (RunningChanges{true, false, true, false, true, false, true, false}));
}

TEST_F(UpdateRunTest, RawOutputAndHowTheToolEnded) {
    // Bytes that are no UTF-8 reach the log replaced, and the readers of the raw output as
    // they were.
    tools.installTool("avrdude", "printf 'a\\377b\\r\\n'\nprintf 'error: no answer\\n'\nexit 3");
    update(avr);
    EXPECT_EQ(raw, QByteArray("a\xff"
                              "b\r\nerror: no answer\n"));
    EXPECT_EQ(run.toolEnd().exitCode, 3);
    EXPECT_FALSE(run.toolEnd().stopped);
    EXPECT_FALSE(run.toolEnd().crashed);
    EXPECT_EQ(status.banner().kind, Kind::Failed);
    EXPECT_EQ(status.bannerText(), "Update failed: error: no answer");

    // A tool ended by a signal nobody sent on purpose has failed.
    tools.installTool("avrdude", "printf 'half\\n'\nkill -KILL $$");
    update(avr);
    EXPECT_EQ(outcome, Outcome::ToolFailed);
    EXPECT_TRUE(log.endsWith("half\n" + LogText::failureNotes));
    EXPECT_TRUE(run.toolEnd().crashed);
    EXPECT_TRUE(status.bannerText().contains("ended abnormally"))
        << status.bannerText().toStdString();
    EXPECT_EQ(raw.right(5), "half\n") << "each update's output is handed on anew";
}

TEST_F(UpdateRunTest, StopEndsTheRunAtOnceAndKillsAToolIgnoringItAfterTheGracePeriod) {
    run.stop(); // with nothing running: nothing happens
    EXPECT_TRUE(runningChanges.empty());
    run.setGracePeriod(200ms);
    startWaitingTool("trap '' TERM");
    const QString logBeforeStop = log;
    run.stop();
    EXPECT_FALSE(run.isRunning());
    EXPECT_TRUE(status.isStopping());
    EXPECT_EQ(log, logBeforeStop) << "stop writes nothing";
    // Until the tool has ended no second update may begin.
    EXPECT_TRUE(run.isBusy());
    EXPECT_FALSE(run.start(avr, imageFor(avr), tools.resources(), preferences));

    ASSERT_TRUE(waitForFinished());
    EXPECT_EQ(outcome, Outcome::ToolFailed);
    EXPECT_TRUE(run.toolEnd().stopped);
    EXPECT_EQ(log, logBeforeStop + LogText::failureNotes);
    EXPECT_EQ(runningChanges, (RunningChanges{true, false}));
    EXPECT_EQ(finishedCount, 1);
}

TEST_F(UpdateRunTest, ToolThatStillSucceedsWhenStoppedKeepsItsVerdict) {
    // A tool that finishes its work when asked to stop and exits 0 has written the image.
    startWaitingTool("trap 'printf finishing\\n; exit 0' TERM");
    run.stop();
    ASSERT_TRUE(waitForFinished());
    EXPECT_EQ(outcome, Outcome::Succeeded);
    EXPECT_EQ(status.banner().kind, Kind::Completed);
    EXPECT_EQ(status.bannerText(), "Update completed");
}

} // namespace
} // namespace modflash
