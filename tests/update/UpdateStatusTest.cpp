// How an update's end is told: the run's account of the tool's end, and the status both front
// ends show from it.
#include "UpdateStatus.h"
#include "UpdateRunFixture.h"

namespace modflash {
namespace {

using Kind = VerdictSummary::Banner::Kind;

class UpdateStatusTest : public UpdateRunFixture {
protected:
    UpdateStatusTest() {
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

TEST_F(UpdateStatusTest, RawOutputAndHowTheToolEnded) {
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

    // A tool ended by a signal nobody sent on purpose.
    tools.installTool("avrdude", "printf 'half\\n'\nkill -KILL $$");
    update(avr);
    EXPECT_TRUE(run.toolEnd().crashed);
    EXPECT_EQ(status.banner().kind, Kind::Failed);
    EXPECT_TRUE(status.bannerText().contains("ended abnormally"))
        << status.bannerText().toStdString();
    EXPECT_EQ(raw.right(5), "half\n") << "each update's output is handed on anew";

    // The command cannot be built: the reason is the run's.
    tools.remove("avrdude.conf");
    update(avr);
    EXPECT_FALSE(run.toolEnd().failure.isEmpty());
    EXPECT_EQ(status.bannerText(), "Update failed: " + run.toolEnd().failure);
}

TEST_F(UpdateStatusTest, StopIsSaidUnlessTheToolStillSucceeded) {
    startWaitingTool("");
    run.stop();
    EXPECT_TRUE(status.isStopping());
    EXPECT_TRUE(status.bannerText().startsWith("Stopping")) << status.bannerText().toStdString();
    ASSERT_TRUE(waitForFinished());
    EXPECT_TRUE(run.toolEnd().stopped);
    EXPECT_FALSE(status.isStopping());
    EXPECT_TRUE(status.bannerText().startsWith("Update stopped"))
        << status.bannerText().toStdString();
    EXPECT_EQ(status.progress().state, Progress::State::Failed);

    // A tool that finishes its work when asked to stop and exits 0 has written the image: the
    // exit status stays the verdict.
    startWaitingTool("trap 'printf finishing\\n; exit 0' TERM");
    run.stop();
    ASSERT_TRUE(waitForFinished());
    EXPECT_EQ(outcome, UpdateRun::Outcome::Succeeded);
    EXPECT_EQ(status.banner().kind, Kind::Completed);
    EXPECT_EQ(status.bannerText(), "Update completed");
}

} // namespace
} // namespace modflash
