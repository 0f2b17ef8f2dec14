#include "UpdateRunFixture.h"

#include <chrono>

namespace modflash {
namespace {

using namespace std::chrono_literals;
using Outcome = UpdateRun::Outcome;
using RunningChanges = std::vector<bool>;

class UpdateRunStopTest : public UpdateRunFixture {
protected:
    // Starts an update of a tool that announces itself and then waits far longer than any
    // test, so only a signal ends it.
    void startLongTool(const QByteArray& prelude = {}) {
        tools.installTool("avrdude", prelude + "\nprintf 'started\\n'\nexec sleep 600");
        ASSERT_TRUE(run.start(avr, imageFor(avr), tools.resources(), preferences));
        ASSERT_TRUE(recorder.waitForLog("started\n"));
    }
};

TEST_F(UpdateRunStopTest, StopLowersFlagAtOnceAndVerdictFollowsExit) {
    startLongTool();
    const QString logBeforeStop = recorder.log();

    run.stop();
    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(recorder.runningChanges(), (RunningChanges{true, false}));
    EXPECT_EQ(recorder.log(), logBeforeStop) << "stop writes nothing";
    EXPECT_FALSE(recorder.outcome().has_value());

    // Until the tool has ended no second update may begin.
    EXPECT_TRUE(run.isBusy());
    EXPECT_FALSE(run.start(avr, imageFor(avr), tools.resources(), preferences));
    EXPECT_EQ(recorder.log(), logBeforeStop);

    ASSERT_TRUE(recorder.waitForFinished());
    EXPECT_EQ(recorder.outcome(), Outcome::ToolFailed);
    EXPECT_EQ(recorder.log(), logBeforeStop + LogText::failureNotes);
    EXPECT_EQ(recorder.runningChanges(), (RunningChanges{true, false}));

    // Idle again: a new update runs normally.
    tools.installTool("avrdude", "exit 0");
    update(avr);
    EXPECT_TRUE(recorder.log().endsWith(LogText::success));
}

TEST_F(UpdateRunStopTest, StopWithoutRunningToolChangesNothing) {
    run.stop();
    EXPECT_TRUE(recorder.runningChanges().empty());

    tools.installTool("avrdude", "exit 0");
    update(avr);
    const QString log = recorder.log();
    run.stop();
    EXPECT_EQ(recorder.log(), log);
    EXPECT_EQ(recorder.runningChanges(), (RunningChanges{true, false}));
    EXPECT_EQ(recorder.finishedCount(), 1);
}

TEST_F(UpdateRunStopTest, ToolIgnoringTerminateIsKilledAfterGracePeriod) {
    run.setGracePeriod(200ms);
    startLongTool("trap '' TERM");
    run.stop();
    // The tool ignores the request and would sleep for ten minutes: only the kill ends it.
    ASSERT_TRUE(recorder.waitForFinished());
    EXPECT_EQ(recorder.outcome(), Outcome::ToolFailed);
    EXPECT_TRUE(recorder.log().endsWith("started\n" + LogText::failureNotes));
}

TEST_F(UpdateRunStopTest, SecondStopKillsAtOnce) {
    run.setGracePeriod(1h);
    startLongTool("trap '' TERM");
    run.stop();
    run.stop();
    ASSERT_TRUE(recorder.waitForFinished());
    EXPECT_EQ(recorder.outcome(), Outcome::ToolFailed);
    EXPECT_EQ(recorder.runningChanges(), (RunningChanges{true, false}));
}

} // namespace
} // namespace modflash
