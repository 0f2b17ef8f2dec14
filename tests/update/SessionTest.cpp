// SPDX-License-Identifier: GPL-3.0-or-later
// The update session over stand-in tools: what only the class shows. The log's texts and exit
// statuses are checked where users meet them, through modflash-cli and the window, and so are
// a missing tool or avrdude.conf and the preferences file.
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

    FirmwarePtr image(const ProductPtr& product, const QString& name) {
        tools.writeFile("firmware/" + name, ToolDirectory::validImage(name));
        return product->firmwareForPath(tools.filePath("firmware/" + name).toStdString());
    }
    bool start(const ProductPtr& product, const QString& imageName = "x 1.hex") {
        return session.start(product, image(product, imageName), tools.resources(), preferences);
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
    EXPECT_EQ(progress.back(), (Progress{"Downloading", 100, Progress::State::Done}));
    EXPECT_EQ(session.banner().text, "Update completed");
}

TEST_F(Session, UpdatesThatCannotRunOrAreRefusedSayWhyAndRunNothing) {
    const ProductPtr zembro = ARMSWDProduct::productWithTitle("Zembro", "zembro_");
    const QByteArray html = "<!DOCTYPE html><html><body>Not found</body></html>";
    const struct {
        ProductPtr product;
        QString removed;
        std::string image;
        QByteArray contents; // empty: a valid image
        Kind kind;
        std::string reason;
    } cases[] = {
        {zembro, "openocd_flash_post.cfg", "z.bin", {}, Kind::CouldNotRun, "openocd_flash_post"},
        // Bytes that are not UTF-8 would reach the tool changed, naming another file.
        {wendrel, "", "W\xff.bin", {}, Kind::CouldNotRun, "is not valid UTF-8"},
        {wendrel, "", "W.2.bin", html, Kind::Refused, "\u201cW.2.bin\u201d is an HTML page"},
        // A well-formed image that only a plausibility rule refuses needs a person's yes.
        {wendrel, "", "W.3.bin", QByteArray(64, '\x7f'), Kind::Refused, "stack pointer"},
    };
    for (const auto& c : cases) {
        ToolDirectory fresh;
        for (const char* tool : {"avrdude", "openocd", "dfu-util"})
            fresh.installTool(tool, "echo ran > '" + fresh.filePath("ran").toUtf8() + "'", false);
        if (!c.removed.isEmpty())
            fresh.remove(c.removed);
        const std::string path = fresh.path().toStdString() + "/" + c.image;
        std::ofstream(path) << (c.contents.isEmpty() ? ToolDirectory::validImage(".bin")
                                                     : c.contents)
                                   .toStdString();
        log.clear();
        ends.clear();
        session.start(c.product, c.product->firmwareForPath(path), fresh.resources(), preferences);
        ASSERT_TRUE(finish());
        ASSERT_EQ(ends.size(), 1u);
        EXPECT_EQ(ends[0].kind, c.kind) << c.image;
        EXPECT_NE(ends[0].reason.find(c.reason), std::string::npos) << ends[0].reason;
        EXPECT_TRUE(log.startsWith("BEGINNING UPDATE\n") && log.endsWith("ERROR DURING UPDATE\n"));
        EXPECT_TRUE(session.banner().text.ends_with(": " + ends[0].reason));
        EXPECT_FALSE(QFile::exists(fresh.filePath("ran"))) << c.image;
        ::unlink(path.c_str());
    }
}

TEST_F(Session, StopAsksTheToolToEndAndKillsItAfterTheGracePeriod) {
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
}

TEST_F(Session, ReportsHowTheToolEndedAndReadsProgressOnlyWhenAsked) {
    tools.installTool("avrdude", "printf 'Writing | ####'; kill -KILL $$");
    ASSERT_TRUE(start(drovel));
    ASSERT_TRUE(finish());
    EXPECT_EQ(ends.back().kind, Kind::Crashed);
    EXPECT_EQ(session.progress(), (Progress{"Writing", 8, Progress::State::Failed}));
    session.setReadsProgress(false);
    tools.installTool("avrdude", "printf 'Writing | ####\\n'; exit 3");
    ASSERT_TRUE(start(drovel));
    ASSERT_TRUE(finish());
    EXPECT_EQ(ends.back(), ToolEnd::fromExit(true, 3, false));
    EXPECT_EQ(session.progress().phase, "Starting");
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
