// SPDX-License-Identifier: GPL-3.0-or-later
// modflash-cli update over stand-in tools: the log's texts byte for byte, the exit statuses,
// the module check, the signals, and output that cannot be written or is not read.
#include "CliHarness.h"
#include "Golden.h"
#include "TestSupport.h"
#include "ToolDirectory.h"
#include "flashing/LogTexts.h"
#include "flashing/Preferences.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace modflash::testing {
namespace {

struct Target {
    const char* title;
    const char* version;
    const char* tool;
    const char* image;
    QStringList options;
};

const Target avr{"Drovel", "1.0", "avrdude", "drovel_1.0.hex", {}};
const Target dfu{"Wendrel", "2.0", "dfu-util", "Wendrel.2.0.bin", {}};
const Target swd{"Zembro", "1.0", "openocd", "zembro_1.0.bin", {"--factory"}};

const QByteArray success = LogTexts::success;
// The end of the Drovel update's command in the log, which tests/data/cli/log-texts.txt shows
// whole: what the tool prints follows.
const QByteArray afterCommand = "-Ulfuse:w:0xFF:m -Uefuse:w:0x00:m\n";

class Update : public CliHarness {
protected:
    Update() {
        for (const Target* target : {&avr, &dfu, &swd})
            tools.writeFile(QString("firmware/") + target->image,
                            ToolDirectory::validImage(target->image));
    }
    QStringList arguments(const Target& target) const {
        return QStringList{"update", target.title, target.version, "--resources", tools.path()} +
               target.options;
    }
    void startWaitingTool(const QByteArray& prelude, int outFd = -1) {
        tools.installTool("avrdude",
                          prelude + "\necho $$ > '" + tools.filePath("pid").toUtf8() +
                              "'\necho started\nwhile :; do sleep 0.05; done 2>/dev/null");
        start(arguments(avr), outFd);
        if (outFd < 0)
            ASSERT_TRUE(waitForOutput("started\n"));
        else
            ASSERT_TRUE(waitFor("pid"));
    }
    bool waitFor(const QString& file) {
        for (int i = 0; i < 2000 && !QFile::exists(tools.filePath(file)); ++i)
            QThread::msleep(10);
        return QFile::exists(tools.filePath(file));
    }
    bool toolAlive() {
        QFile pid(tools.filePath("pid"));
        return pid.open(QIODevice::ReadOnly) && ::kill(pid.readAll().trimmed().toInt(), 0) == 0;
    }

    ToolDirectory tools;
};

TEST_F(Update, LogTextsByteForByteAndTheVerdictsExitStatus) {
    // Bytes that are no UTF-8 show as U+FFFD, carriage returns stay for the terminal, a
    // character split across two writes comes out whole, one cut off by the end shows, "%@" is
    // text, and a tool reading its input sees its end at once (read's status 1), not the
    // harness's open pipe (timeout's 124).
    tools.installTool("avrdude", "timeout 5 sh -c 'read answer'\nprintf '[%s] \\377 caf\\303' $?\n"
                                 "sleep 0.2\nprintf '\\251\\r\\n50%%@\\r100%%\\n\\342\\202'");
    QByteArray transcript;
    const auto record = [&](const char* name, const Run& r) {
        transcript += QByteArray("== ") + name + "\nexit status " + QByteArray::number(r.status) +
                      "\n" + r.out + "-- standard error\n" + r.err;
    };
    record("output as it came", run(arguments(avr)));
    for (const Target* target : {&avr, &dfu, &swd}) {
        tools.installTool(target->tool, "printf 'No device found.\\n'\nexit 74");
        record(target->tool, run(arguments(*target)));
    }
    tools.remove("dfu-util");
    record("no dfu-util", run(arguments(dfu)));
    // In German the message is, the log is not.
    Run german = run(arguments(dfu), {"LANG=de_DE.UTF-8", "LANGUAGE=de"});
    // The system's own words depend on the locales it has.
    german.err = german.err.left(german.err.lastIndexOf(": ")) + "\n";
    record("no dfu-util, in German", german);
    tools.remove("avrdude.conf");
    record("no avrdude.conf", run(arguments(avr), {"QT_LOGGING_RULES=*=false"}));
    expectMatchesGolden("log-texts.txt",
                        transcript.replace(tools.path().toUtf8(), "{resources}").toStdString());
}

// The module check: an AVR module of another chip is refused after its signature is read and
// before anything is written; a read that did not end as avrdude ends after reading (no
// programmer, a status other than 0, two signatures that disagree) writes nothing and says why;
// the variant the product accepts passes, and with the check off nothing is read first. The
// whole transcript is reviewed in tests/data/cli/module-checks.txt.
TEST_F(Update, AnAvrModuleOfAnotherChipIsRefusedBeforeAnythingIsWritten) {
    QByteArray transcript;
    for (const auto& [checkRun, option] : std::initializer_list<std::pair<QByteArray, QString>>{
             {"echo 'avrdude: device signature = 0x1e950f (probably m328p)'", {}},
             {"echo 'avrdude error: unable to open programmer usbtiny on port usb'; exit 1", {}},
             {"echo 'avrdude: device signature = 0x1e9406'; exit 1", {}},
             {"echo 'avrdude: device signature = 0x1e9406'; "
              "echo 'avrdude: device signature = 0x1e950f'",
              {}},
             {"echo 'wrapper: device signature = 0x1e9406'", {}},
             {"echo 'avrdude: device signature = 0x1e940b'", {}},
             {"exit 1", "--no-module-check"}}) {
        tools.remove("writes");
        tools.installTool("avrdude",
                          "case \" $* \" in *\" -Uflash\"*) echo >> '" +
                              tools.filePath("writes").toUtf8() + "';; *) " + checkRun + ";; esac",
                          false);
        const Run update =
            run(arguments(avr) + (option.isEmpty() ? QStringList() : QStringList{option}));
        transcript += "== " + (checkRun + " " + option.toUtf8()).trimmed() + "\nexit status " +
                      QByteArray::number(update.status) + ", flash written: " +
                      (QFile::exists(tools.filePath("writes")) ? "yes" : "no") + "\n" + update.out +
                      "-- standard error\n" + update.err;
    }
    expectMatchesGolden("module-checks.txt",
                        transcript.replace(tools.path().toUtf8(), "{resources}").toStdString());
    // In German the reasons are, the log is not.
    for (const auto& [checkRun, reason] : std::initializer_list<std::pair<QByteArray, QString>>{
             {"echo 'avrdude: device signature = 0x1e950f (probably m328p)'",
              "Aktualisierung zurückgewiesen: Dieses Modul hat einen ATmega328P, Drovel verwendet "
              "aber einen ATmega168. Diese Produkte verwenden einen ATmega328: Ostrine, "},
             {"echo 'avrdude error: unable to open programmer usbtiny on port usb'; exit 1",
              "Aktualisierung fehlgeschlagen: avrdude hat keinen Programmer gefunden (unable to "
              "open programmer usbtiny on port usb). Schließen Sie den Programmer an oder wählen "
              "Sie Ihren in den Einstellungen. Nichts wurde geschrieben.\n"}}) {
        tools.installTool("avrdude", checkRun, false);
        Run german = run(arguments(avr), {"LANG=de_DE.UTF-8", "LANGUAGE=de"});
        EXPECT_TRUE(german.err.startsWith(("modflash-cli: " + reason).toUtf8()))
            << german.err.toStdString();
        EXPECT_TRUE(transcript.contains(german.out.replace(tools.path().toUtf8(), "{resources}")))
            << german.out.toStdString();
    }
    // A stored "off" gives way to --module-check for one run: the check runs, and fails here.
    preferences().setBool(PreferenceKey::checkModuleBeforeWriting, false);
    EXPECT_NE(run(arguments(avr) + QStringList{"--module-check"}).status, 0);
}

TEST_F(Update, SignalsStopTheToolAndTheStatusSaysWhichOne) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        startWaitingTool("trap 'echo term; exit 1' TERM");
        ::kill(m_pid, signal);
        const Run stopped = finish();
        EXPECT_EQ(stopped.status, 128 + signal);
        EXPECT_TRUE(
            stopped.out.endsWith(afterCommand + "started\nterm\n" + failureNotes(avr.title)));
        EXPECT_EQ(stopped.err, "modflash-cli: Update stopped: avrdude was stopped before it "
                               "finished\n");
        EXPECT_FALSE(toolAlive()) << "no tool is left behind";
    }
    // A tool that ignores the request is killed by a second one; the status names the first.
    // (Two signals sent at once would reach two threads in either order.)
    startWaitingTool("trap 'echo ignored' TERM INT");
    ::kill(m_pid, SIGINT);
    ASSERT_TRUE(waitForOutput("ignored\n"));
    ::kill(m_pid, SIGTERM);
    EXPECT_EQ(finish().status, 130);
    EXPECT_FALSE(toolAlive());
}

// Stop while the module is being checked ends the update there, however the check ends: a
// signature read that answers SIGTERM with a good signature and status 0 still writes nothing.
// Stop reaches what the tool started, and the check's last word is no success.
TEST_F(Update, StopDuringTheModuleCheckWritesNothing) {
    const QByteArray writes = tools.filePath("writes").toUtf8();
    tools.installTool("avrdude",
                      "case \" $* \" in *\" -Uflash\"*) echo >> '" + writes +
                          "'; exit 0;; esac\n"
                          "trap 'echo \"avrdude: device signature = 0x1e9406\"; exit 0' TERM\n"
                          "(exec sleep 30) &\necho $! > '" +
                          tools.filePath("child").toUtf8() +
                          "'\necho reading\nwhile :; do sleep 0.05; done 2>/dev/null",
                      false);
    start(arguments(avr));
    ASSERT_TRUE(waitForOutput("reading\n"));
    ::kill(m_pid, SIGINT);
    const Run stopped = finish();
    EXPECT_EQ(stopped.status, 130);
    EXPECT_EQ(stopped.err, "modflash-cli: Update stopped while the module was being checked: "
                           "nothing was written\n");
    EXPECT_FALSE(QFile::exists(tools.filePath("writes")));
    EXPECT_TRUE(stopped.out.endsWith("reading\navrdude: device signature = 0x1e9406\n" +
                                     QByteArray(LogTexts::stoppedBeforeWriting)))
        << stopped.out.toStdString();
    QFile child(tools.filePath("child"));
    ASSERT_TRUE(child.open(QIODevice::ReadOnly));
    const pid_t childPid = child.readAll().trimmed().toInt();
    for (int i = 0; i < 500 && ::kill(childPid, 0) == 0; ++i)
        QThread::msleep(10);
    EXPECT_NE(::kill(childPid, 0), 0) << "what the tool started outlived the update";
}

// The tool writes the bytes that were checked, whatever happens to the file meanwhile; the
// private copy is gone once the update has ended.
TEST_F(Update, TheToolWritesTheCheckedBytesEvenIfTheFileChanges) {
    const QString image = tools.filePath("firmware/drovel_1.0.hex");
    const QByteArray checked = ToolDirectory::validImage(avr.image);
    tools.installTool("avrdude",
                      "case \" $* \" in *\" -Uflash\"*) ;; *)\n"
                      "  printf ':0200000001\\n' > '" +
                          image.toUtf8() +
                          "'; echo 'avrdude: device signature = 0x1e9406'; exit 0;; esac\n"
                          "for a; do case $a in -Uflash:w:*) f=${a#-Uflash:w:}; f=${f%:i};; "
                          "esac; done\ncat \"$f\" > '" +
                          tools.filePath("written").toUtf8() + "'",
                      false);
    const Run update = run(arguments(avr));
    EXPECT_EQ(update.status, 0) << update.out.toStdString();
    QFile written(tools.filePath("written"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), checked);
    EXPECT_EQ(QDir(m_runtime.path()).entryList({"modflash-image-*"}), QStringList());
}

// One update at a time for a user: a second one is refused at once, naming the first; once the
// first has ended, or its program is gone however it ended, the next one runs.
TEST_F(Update, ASecondUpdateWaitsForTheFirst) {
    startWaitingTool("");
    const QByteArray first = QByteArray::number(m_pid);
    const pid_t firstPid = m_pid;
    tools.installTool("dfu-util", "exit 0");
    const Run second = run(arguments(dfu));
    EXPECT_EQ(second.status, 75);
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(second.err,
              "modflash-cli: another update is running: Drovel 1.0, process " + first + "\n");
    m_pid = firstPid;
    ::kill(m_pid, SIGKILL);
    finish();
    QFile tool(tools.filePath("pid"));
    if (tool.open(QIODevice::ReadOnly))
        ::kill(tool.readAll().trimmed().toInt(), SIGKILL);
    EXPECT_EQ(run(arguments(dfu)).status, 0) << "a lock whose program is gone blocks nothing";
}

TEST_F(Update, OutputThatCannotBeWrittenLeavesTheVerdictsStatus) {
    tools.installTool("avrdude", "echo written");
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    start(arguments(avr), full);
    ::close(full);
    const Run onFullDisk = finish();
    EXPECT_EQ(onFullDisk.status, 0);
    EXPECT_EQ(onFullDisk.err,
              "modflash-cli: could not write the output: No space left on device\n");

    // A reader that goes away after the first line, as "| head -1" does.
    int reader[2];
    ASSERT_EQ(::pipe2(reader, O_CLOEXEC), 0);
    tools.installTool("avrdude", "sleep 0.3; echo more; exit 1");
    ::close(reader[0]);
    start(arguments(avr), reader[1]);
    ::close(reader[1]);
    const Run closed = finish();
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.err, "modflash-cli: Update failed: avrdude ended with exit status 1. Check "
                          "the ISP cable (red stripe to pin 1), the module's supply and the "
                          "programmer chosen in the preferences.\nmodflash-cli: could not write "
                          "the output: Broken pipe\n");
}

// A reader that never reads must not keep Stop from reaching the tool, nor the kill after the
// grace period; another signal then ends the wait for that reader, with the first one's status.
TEST_F(Update, StopWorksWhileNobodyReadsTheOutput) {
    int reader[2];
    ASSERT_EQ(::pipe2(reader, O_CLOEXEC), 0);
    startWaitingTool("trap \"touch '" + tools.filePath("asked").toUtf8() +
                         "'\" TERM\n"
                         "head -c 1000000 /dev/zero | tr '\\0' x",
                     reader[1]);
    ::close(reader[1]);
    ::kill(m_pid, SIGINT);
    EXPECT_TRUE(waitFor("asked")) << "the tool was not asked to end";
    for (int i = 0; i < 1000 && toolAlive(); ++i)
        QThread::msleep(10);
    EXPECT_FALSE(toolAlive()) << "the tool was not killed after the grace period";
    // Until the program is waiting for the reader, a signal only asks for the Stop again.
    const auto ended = [pid = m_pid] {
        QFile stat(QString("/proc/%1/stat").arg(pid));
        return !stat.open(QIODevice::ReadOnly) || stat.readAll().split(' ').value(2) == "Z";
    };
    for (int i = 0; i < 100 && !ended(); ++i, QThread::msleep(100))
        ::kill(m_pid, SIGTERM);
    EXPECT_TRUE(ended()) << "the program still waits for a reader that never reads";
    const Run run = finish();
    ::close(reader[0]);
    EXPECT_EQ(run.status, 130);
}

TEST_F(Update, FloodArrivesByteForByte) {
    tools.installTool("avrdude", "i=0; while [ $i -lt 20000 ]; do echo \"line $i \\303\\251\"; "
                                 "i=$((i+1)); done");
    const Run flood = run(arguments(avr));
    QByteArray expected;
    for (int i = 0; i < 20000; ++i)
        expected += "line " + QByteArray::number(i) + " \xc3\xa9\n";
    EXPECT_TRUE(flood.out.endsWith(afterCommand + expected + success));
}

// The progress line: on standard error, only when a person watches both streams on terminals;
// standard output carries the log's bytes unchanged either way.
TEST_F(Update, ProgressLineOnlyWhenBothStreamsAreTerminals) {
    tools.installTool("avrdude", "printf 'avrdude: writing 504 bytes flash ...\\n\\nWriting | '\n"
                                 "for i in 1 2 3 4 5; do printf '##########'; sleep 0.05; done\n"
                                 "printf ' | 100%% 0.62s\\n'");
    const Run piped = run(arguments(avr));
    EXPECT_EQ(piped.err, "");
    Terminal outOnly;
    start(arguments(avr), outOnly.slave);
    EXPECT_EQ(withCopyNamed(outOnly.readAll()), piped.out);
    EXPECT_EQ(finish().err, "") << "standard error is no terminal: no progress line";

    // Both streams on one terminal show where each drawing falls: only at the start of a line,
    // never after the log's "Writing | ###" marks, and each wiped with spaces between carriage
    // returns before anything else, the last one included; the line never moves the cursor down.
    Terminal both;
    start(arguments(avr), both.slave, both.slave);
    const QString shown = QString::fromUtf8(withCopyNamed(both.readAll()));
    EXPECT_EQ(finish().status, 0);
    EXPECT_TRUE(shown.contains("Updating: Writing flash 100%")) << shown.toStdString();
    EXPECT_EQ(QString(shown).remove(QRegularExpression("(?<=[\n\r])Updating: [^\r\n]*\r +\r")),
              QString::fromUtf8(piped.out));

    // On a terminal narrower than the line, the line stops short of the last column: a line
    // that wrapped would leave its first part behind on every redraw.
    Terminal narrow(16);
    start(arguments(avr), narrow.slave, narrow.slave);
    const QString cut = QString::fromUtf8(narrow.readAll());
    EXPECT_EQ(finish().status, 0);
    EXPECT_TRUE(cut.contains("Updating: Writi\r" + QString(15, ' ') + "\r")) << cut.toStdString();
}

// In German the progress line names the phase in German, with the memory in avrdude's own
// word, and the verdict on standard error is German; the log stays as the tool printed it.
TEST_F(Update, InGermanTheProgressLineNamesThePhaseInGerman) {
    tools.installTool("avrdude", "printf 'avrdude: writing 504 bytes flash ...\\n\\nWriting | '\n"
                                 "printf '####################'; sleep 0.2\n"
                                 "printf '\\navrdude error: programmer lost\\n'; exit 1");
    Terminal both;
    start(arguments(avr), both.slave, both.slave, {"LANG=de_DE.UTF-8", "LANGUAGE=de"});
    const QString shown = QString::fromUtf8(both.readAll());
    EXPECT_EQ(finish().status, 1);
    EXPECT_TRUE(shown.contains("\nAktualisierung: \u201eflash\u201c schreiben 40 %\r"))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains("modflash-cli: Aktualisierung fehlgeschlagen: avrdude error: "
                               "programmer lost. Pr\u00fcfen Sie"))
        << shown.toStdString();
    EXPECT_FALSE(shown.contains("Updating:")) << shown.toStdString();
    const QString log = QString(shown).remove(QRegularExpression("Aktualisierung: [^\r\n]*\r +\r"));
    EXPECT_TRUE(log.contains("\nWriting | ####################\navrdude error: programmer lost\n"
                             "\nIMPORTANT\nNOTE: avrdude did not finish writing"))
        << log.toStdString();
}

} // namespace
} // namespace modflash::testing
