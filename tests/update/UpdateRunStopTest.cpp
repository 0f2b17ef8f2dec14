#include "UpdateRunFixture.h"

#include <chrono>

namespace modflash {
namespace {

using namespace std::chrono_literals;
using RunningChanges = std::vector<bool>;

class UpdateRunStopTest : public UpdateRunFixture {
protected:
    // Starts an update of a tool that announces itself and then waits far longer than any
    // test, so only a signal ends it.
    void startLongTool(const QByteArray& prelude = {}) {
        tools.installTool("avrdude", prelude + "\nprintf 'started\\n'\nexec sleep 600");
        ASSERT_TRUE(run.start(avr, imageFor(avr), tools.resources(), preferences));
        ASSERT_TRUE(waitForLog("started\n"));
    }
};

TEST_F(UpdateRunStopTest, StopLowersFlagAtOnceAndVerdictFollowsExit) {
    run.stop(); // with nothing running: nothing happens
    EXPECT_TRUE(runningChanges.empty());
    startLongTool();
    const QString logBeforeStop = log;

    run.stop();
    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(runningChanges, (RunningChanges{true, false}));
    EXPECT_EQ(log, logBeforeStop) << "stop writes nothing";
    EXPECT_FALSE(outcome.has_value());
    // Until the tool has ended no second update may begin.
    EXPECT_TRUE(run.isBusy());
    EXPECT_FALSE(run.start(avr, imageFor(avr), tools.resources(), preferences));

    ASSERT_TRUE(waitForFinished());
    EXPECT_EQ(outcome, UpdateRun::Outcome::ToolFailed);
    EXPECT_EQ(log, logBeforeStop + LogText::failureNotes);
    EXPECT_EQ(runningChanges, (RunningChanges{true, false}));

    // Idle again: a new update runs normally, and a stop after it changes nothing.
    tools.installTool("avrdude", "exit 0");
    update(avr);
    run.stop();
    EXPECT_TRUE(log.endsWith(LogText::success));
    EXPECT_EQ(finishedCount, 2);
}

TEST_F(UpdateRunStopTest, ToolIgnoringTerminateIsKilledAfterGracePeriodOrSecondStop) {
    for (const std::chrono::milliseconds grace :
         std::initializer_list<std::chrono::milliseconds>{200ms, 1h}) {
        run.setGracePeriod(grace);
        startLongTool("trap '' TERM");
        run.stop();
        if (grace > 1min)
            run.stop();
        // The tool ignores the request and would sleep for ten minutes: only the kill ends it.
        ASSERT_TRUE(waitForFinished());
        EXPECT_EQ(outcome, UpdateRun::Outcome::ToolFailed);
        EXPECT_TRUE(log.endsWith("started\n" + LogText::failureNotes));
    }
}

} // namespace
} // namespace modflash
