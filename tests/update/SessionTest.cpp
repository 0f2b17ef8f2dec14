// SPDX-License-Identifier: GPL-3.0-or-later
// The update session over stand-in tools: what only the class shows. The log's texts and exit
// statuses are checked where users meet them, through modflash-cli and the window, and so are
// a missing tool or avrdude.conf and the preferences file.
#include "Golden.h"
#include "TestSupport.h"
#include "ToolDirectory.h"
#include "catalogue/ARMProduct.h"
#include "catalogue/ARMSWDProduct.h"
#include "catalogue/AVRProduct.h"
#include "flashing/Preferences.h"
#include "flashing/Programmers.h"
#include "update/SleepInhibitor.h"
#include "update/StopSignals.h"
#include "update/UpdateSession.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <unistd.h>

namespace modflash {
namespace {

using namespace std::chrono_literals;
using testing::eventually;
using Kind = ToolEnd::Kind;

class Session : public ::testing::Test {
protected:
    Session() {
        registerPreferenceDefaults(preferences);
        QObject::connect(&session, &UpdateSession::logText,
                         [this](const QByteArray& t) { log += QString::fromUtf8(t); });
        QObject::connect(&session, &UpdateSession::runningChanged,
                         [this](bool running) { runningChanges.push_back(running); });
        QObject::connect(&session, &UpdateSession::progressChanged,
                         [this](const Progress& p) { progress.push_back(p); });
        QObject::connect(&session, &UpdateSession::finished, [this](const ToolEnd& end) {
            ends.push_back(end);
            EXPECT_FALSE(session.isBusy());
        });
    }

    bool start(const ProductPtr& product, const QString& image = "x 1.hex") {
        tools.writeFile("firmware/" + image, ToolDirectory::validImage(image));
        const std::string path = tools.filePath("firmware/" + image).toStdString();
        return session.start(product, product->firmwareForPath(path), tools.resources(),
                             preferences);
    }
    bool finish() {
        return eventually([&] { return !session.isBusy(); });
    }
    void startWaitingTool(const QByteArray& prelude) {
        tools.installTool("avrdude", prelude + "\necho started\nwhile :; do sleep 0.05; done");
        ASSERT_TRUE(start(drovel));
        ASSERT_TRUE(eventually([&] { return log.endsWith("started\n"); }));
    }

    ToolDirectory tools;
    MemoryPreferences preferences;
    SleepInhibitor noLock{QDBusConnection("none")}; // a bus that is not connected
    UpdateSession session{&noLock};
    ProductPtr drovel = AVRProduct::productWithTitle("Drovel", "drovel_", 0);
    ProductPtr wendrel = ARMProduct::productWithTitle("Wendrel", "Wendrel.");
    QString log;
    std::vector<bool> runningChanges;
    std::vector<Progress> progress;
    std::vector<ToolEnd> ends;
};

TEST_F(Session, RunsTheToolWithExactlyItsCommandAndReportsWhatItPrints) {
    // One argument a line shows the vector arrives element by element; the environment must
    // hold one variable only.
    tools.installTool("dfu-util", "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n"
                                  "tr '\\0' '\\n' < /proc/$$/environ\n"
                                  "printf 'Download\\t[=====] 100%%\\r\\nDownload done.\\n'");
    ASSERT_TRUE(start(wendrel, "Wendrel.2 0.bin"));
    EXPECT_FALSE(start(wendrel)) << "a second update while one runs";
    ASSERT_TRUE(finish());
    // The tool gets the private copy of the checked image, named as the file was.
    const QString copy = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR")) + "/modflash-image-";
    const QString shown = QString(log).replace(QRegularExpression(copy + "\\w{6}"), "{copy}");
    EXPECT_TRUE(shown.endsWith("[-a]\n[0]\n[-s]\n[0x08000000:leave]\n[-D]\n[{copy}/Wendrel.2 0.bin"
                               "]\n[-d]\n[0483:df11]\nLD_LIBRARY_PATH=" +
                               tools.path() +
                               "\nDownload\t[=====] 100%\r\nDownload done.\n"
                               "UPDATE COMPLETED SUCCESSFULLY\n"))
        << log.toStdString();
    EXPECT_EQ(ends, std::vector<ToolEnd>{ToolEnd::fromExit(true, 0, false)});
    EXPECT_EQ(runningChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(progress.back(), (Progress{Phase::DownloadingToModule, 100, Progress::State::Done}));
}

// How each ends, its reason, its log and banner are in the reviewed
// tests/data/update/refusals.txt.
TEST_F(Session, UpdatesThatCannotRunOrAreRefusedSayWhyAndRunNothing) {
    const ProductPtr zembro = ARMSWDProduct::productWithTitle("Zembro", "zembro_");
    const QByteArray html = "<!DOCTYPE html><html><body>Not found</body></html>";
    const std::tuple<ProductPtr, QString, std::string, QByteArray> cases[] = {
        {zembro, "openocd_flash_post.cfg", "z.bin", {}}, // {}: a valid image
        // Bytes that are not UTF-8 would reach the tool changed, naming another file.
        {wendrel, "", "W\xff.bin", {}},
        {wendrel, "", "W.2.bin", html},
        // A well-formed image that only a plausibility rule refuses needs a person's yes.
        {wendrel, "", "W.3.bin", QByteArray(64, '\x7f')},
    };
    std::string transcript;
    static const char* const kinds[] = {"completed", "failed",        "crashed",
                                        "stopped",   "could not run", "refused"};
    for (const auto& [product, removed, image, contents] : cases) {
        ToolDirectory fresh;
        for (const char* tool : {"avrdude", "openocd", "dfu-util"})
            fresh.installTool(tool, "echo ran > '" + fresh.filePath("ran").toUtf8() + "'", false);
        if (!removed.isEmpty())
            fresh.remove(removed);
        const std::string path = fresh.path().toStdString() + "/" + image;
        std::ofstream(path)
            << (contents.isEmpty() ? ToolDirectory::validImage(".bin") : contents).toStdString();
        log.clear();
        ends.clear();
        session.start(product, product->firmwareForPath(path), fresh.resources(), preferences);
        ASSERT_TRUE(finish());
        ASSERT_EQ(ends.size(), 1u);
        const QString entry = QString::fromStdString(
            "== " + image + ": " + kinds[static_cast<int>(ends[0].kind)] + ", " +
            (QFile::exists(fresh.filePath("ran")) ? "ran" : "nothing ran") + "\n" +
            log.toStdString() + "banner: " + session.banner().text + "\n");
        transcript += QString(entry).replace(fresh.path(), "{resources}").toStdString();
        ::unlink(path.c_str());
    }
    testing::expectMatchesGolden("refusals.txt", transcript);
}

TEST_F(Session, StopAfterTheGracePeriodAndHowTheToolEnded) {
    session.stop(); // nothing runs: nothing happens
    EXPECT_TRUE(runningChanges.empty());
    session.setGracePeriod(300ms);
    startWaitingTool("trap 'echo term' TERM; trap '' INT");
    session.stop();
    EXPECT_FALSE(session.isRunning());
    EXPECT_TRUE(session.isBusy()) << "the tool has not ended yet";
    ASSERT_TRUE(eventually([&] { return log.endsWith("term\n"); }));
    EXPECT_TRUE(session.isBusy()) << "the tool ignored the request";
    ASSERT_TRUE(finish());
    EXPECT_EQ(ends.back().kind, Kind::Stopped);
    EXPECT_EQ(runningChanges, (std::vector<bool>{true, false}));

    // A tool that still finishes its work has succeeded.
    startWaitingTool("trap 'exit 0' TERM");
    session.stop();
    ASSERT_TRUE(finish());
    EXPECT_EQ(ends.back().kind, Kind::Completed);
    // The grace period ends with its tool: it must not kill the next update. Pressed again,
    // Stop kills at once.
    startWaitingTool("trap '' TERM");
    EXPECT_FALSE(eventually([&] { return !session.isBusy(); }, 600));
    session.setGracePeriod(60s);
    session.stop();
    session.stop();
    ASSERT_TRUE(eventually([&] { return !session.isBusy(); }, 10000));
    EXPECT_EQ(ends.back().kind, Kind::Stopped);

    // How the tool ended, and its progress read only when asked.
    tools.installTool("avrdude", "printf 'Writing | ####'; kill -KILL $$");
    ASSERT_TRUE(start(drovel));
    ASSERT_TRUE(finish());
    EXPECT_EQ(ends.back().kind, Kind::Crashed);
    EXPECT_EQ(session.progress(), (Progress{Phase::Writing, 8, Progress::State::Failed}));
    // Unread while the tool runs, the end of its output still gives the banner its reason.
    session.setReadsProgress(false);
    tools.installTool("avrdude", "printf 'Writing | ####\\n'; i=0; while [ $i -lt 3000 ]; do "
                                 "printf '%080d\\n' $i; i=$((i+1)); done; "
                                 "printf 'avrdude error: lost\\n'; exit 3");
    ASSERT_TRUE(start(drovel));
    ASSERT_TRUE(finish());
    EXPECT_EQ(ends.back(), ToolEnd::fromExit(true, 3, false));
    EXPECT_EQ(session.progress().phase, Phase::None) << "no phase was read, and none stays";
    EXPECT_EQ(session.banner().text,
              "Update failed: avrdude error: lost. Check the ISP cable (red stripe to pin 1), the "
              "module's supply and the programmer chosen in the preferences.");
}

TEST(StopSignals, EachSignalArrivesFromTheEventLoopWithItsNumber) {
    std::vector<int> arrived;
    {
        const StopSignals stopSignals([&](int signal) { arrived.push_back(signal); });
        for (int signal : {SIGHUP, SIGINT, SIGTERM, SIGPIPE})
            std::raise(signal);
        EXPECT_TRUE(arrived.empty()) << "nothing happens inside the handler";
        ASSERT_TRUE(eventually([&] { return arrived.size() == 3; }));
        EXPECT_EQ(stopSignals.firstSignal(), SIGHUP);
    }
    EXPECT_EQ(arrived, (std::vector<int>{SIGHUP, SIGINT, SIGTERM}));
    struct sigaction restored {};
    sigaction(SIGINT, nullptr, &restored);
    EXPECT_EQ(restored.sa_handler, SIG_DFL);
}

} // namespace
} // namespace modflash

int main(int argc, char** argv) {
    // No system bus for these tests, whatever the machine has.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/modflash-test/system_bus_socket");
    const modflash::testing::PrivateRuntimeDirectory runtime;
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
