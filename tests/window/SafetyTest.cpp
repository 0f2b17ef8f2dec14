// SPDX-License-Identifier: GPL-3.0-or-later
// What keeps the window from writing against the user's will: Stop during the module check,
// and an update that another program of the same user runs.
#include "WindowFixture.h"
#include "flashing/LogTexts.h"
#include "update/UpdateLock.h"

#include <QProcess>

namespace modflash::testing {
namespace {

class Safety : public WindowFixture {};

// Stop while the module is being checked ends the update there: the check answering the
// signal with a good signature and status 0 does not lead to a write. Each later check judges
// only what it reads itself.
TEST_F(Safety, StopDuringTheModuleCheckWritesNothing) {
    resources.installTool("avrdude",
                          "case \" $* \" in *\" -Uflash\"*) echo flashing; exit 0;; esac\n"
                          "trap 'echo \"avrdude: device signature = 0x1e950f\"; exit 0' TERM\n"
                          "echo reading\n" +
                              gate(),
                          false);
    start();
    const WindowControls& c = controls();
    choose(QStringLiteral("Parvonne (rev009 or Higher)"), QStringLiteral("2.0"));
    clickUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log().endsWith("reading\n"); }, toolTimeout));
    QTest::mouseClick(c.stopButton, Qt::LeftButton);
    ASSERT_TRUE(waitForFinish());
    EXPECT_TRUE(log().endsWith("reading\navrdude: device signature = 0x1e950f\n" +
                               QString(LogTexts::stoppedBeforeWriting)))
        << log().toStdString();
    EXPECT_FALSE(log().contains("flashing"));
    EXPECT_EQ(banner(), "Update stopped while the module was being checked: nothing was written");
    EXPECT_TRUE(c.updateButton->isEnabled());

    // Each check judges only what it reads: a module of another chip is refused, and the right
    // one attached next is written.
    for (const auto& [signature, verdict] :
         {std::pair{"0x1e930b",
                    "Update refused: This module has an ATtiny85, but Parvonne (rev009 "
                    "or Higher) uses an ATmega328. Products with an ATtiny85: Kolvane."},
          {"0x1e950f", "Update completed"}}) {
        resources.installTool("avrdude",
                              QByteArray("case \" $* \" in *\" -Uflash\"*) exit 0;; esac\n"
                                         "echo 'avrdude: device signature = ") +
                                  signature + "'",
                              false);
        clickUpdate();
        ASSERT_TRUE(waitForFinish());
        EXPECT_EQ(banner(), verdict);
    }
}

// While the command line updates a module, the window's Update waits and the banner names that
// update, also when pressed before the window has looked; once it has ended, Update is offered
// again.
TEST_F(Safety, UpdateWaitsWhileAnotherProgramUpdates) {
    installTools("echo started\n" + gate());
    start();
    const WindowControls& c = controls();
    choose(QStringLiteral("Wendrel"), QStringLiteral("2.0"));
    ASSERT_TRUE(c.updateButton->isEnabled());
    QProcess cli;
    cli.start(MODFLASH_BUILD_DIR "/bin/modflash-cli",
              {"update", "Wendrel", "2.0", "--resources", resources.path()});
    ASSERT_TRUE(cli.waitForReadyRead(toolTimeout));
    const QString reason =
        QString("another update is running: Wendrel 2.0, process %1").arg(cli.processId());
    // Pressed before the window's next look: refused, and Update waits from then on.
    clickUpdate();
    EXPECT_FALSE(c.updateButton->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return banner() == reason; }, toolTimeout))
        << banner().toStdString();
    EXPECT_EQ(c.updateButton->toolTip(), reason);
    // What the lock says of the update is for this user's programs alone.
    EXPECT_EQ(QFile::permissions(UpdateLock::defaultPath()),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    openGate();
    ASSERT_TRUE(cli.waitForFinished(toolTimeout));
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.updateButton->isEnabled(); }, toolTimeout));
    EXPECT_EQ(banner(), QString());
}

} // namespace
} // namespace modflash::testing
