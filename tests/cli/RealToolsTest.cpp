// SPDX-License-Identifier: GPL-3.0-or-later
// The installed avrdude, dfu-util and openocd, run through modflash-cli with the staged resource
// directory and its sample images. They would write to a module if one were attached, so these
// run only when no USB device can be seen; then each must get as far as looking for its device
// and print exactly what tests/data/tool-output recorded: proof that every option and script
// the command names is accepted.
#include "CliHarness.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace modflash::testing {
namespace {

const QString staged = MODFLASH_CLI_RESOURCES;

QByteArray recording(const QString& name) {
    QFile file(QString(MODFLASH_TOOL_OUTPUT_DIR) + "/" + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

class RealTools : public CliHarness {
protected:
    void SetUp() override {
        const QDir usb("/dev/bus/usb");
        if (usb.exists() && !usb.isEmpty())
            GTEST_SKIP() << "a USB device is visible under /dev/bus/usb; the real tools could "
                            "write to it";
        for (const char* tool : {"avrdude", "avrdude.conf", "dfu-util", "openocd-scripts"})
            if (!QFile::exists(staged + "/" + tool))
                GTEST_SKIP() << tool << " is not linked in " << staged.toStdString();
    }
    // The tool's part of an update's log: between the last command shown (the module check's,
    // where there is one) and the notes, the family's or the failed module check's.
    QByteArray toolOutput(const QStringList& arguments) {
        const Run update = run(QStringList{"update"} + arguments);
        EXPECT_EQ(update.status, 1) << update.err.toStdString();
        const qsizetype notes = update.out.lastIndexOf("\nIMPORTANT\nNOTE: ");
        const QByteArray shown = update.out.mid(notes);
        EXPECT_TRUE(shown == failureNotes(arguments[0]) ||
                    shown.startsWith("\nIMPORTANT\nNOTE: The module check failed"))
            << update.out.toStdString();
        const qsizetype header =
            update.out.indexOf('\n', update.out.lastIndexOf("with command:\n") + 14);
        return update.out.mid(header + 1, notes - header - 1);
    }
};

TEST_F(RealTools, EachToolLooksForItsDeviceUnderEachPreference) {
    const struct {
        QStringList arguments;
        const char* recording;
    } runs[] = {
        {{"Drovel", "1.1"}, "avrdude-7.1-usbtiny-no-device.txt"},
        {{"Kolvane", "1.0", "--factory", "--programmer", "usbasp"},
         "avrdude-7.1-usbasp-no-device.txt"},
        {{"Parvonne (rev009 or Higher)", "2.0", "--programmer", "avrisp2"},
         "avrdude-7.1-avrisp2-no-device.txt"},
        {{"Wendrel", "2.0"}, "dfu-util-0.11-no-device.txt"},
        {{"Wendrel", "2.0", "--mass-erase"}, "dfu-util-0.11-no-device.txt"},
        {{"Kolvanix", "2.0", "--factory", "--mass-erase"},
         "dfu-util-0.11-mass-erase-no-device.txt"},
        {{"Zembro", "1.0", "--factory"}, "openocd-0.12-stlink-v2-no-device.txt"},
        {{"Hobblewick", "1.0", "--factory", "--stlink", "v2-1"},
         "openocd-0.12-stlink-v2-1-no-device.txt"},
    };
    for (const auto& r : runs)
        EXPECT_EQ(toolOutput(r.arguments), recording(r.recording)) << r.recording;
}

TEST_F(RealTools, AvrdudeKnowsEveryPartAndProgrammer) {
    QString known;
    for (const char* list : {"-p?", "-c?"}) {
        QProcess avrdude;
        avrdude.setProcessChannelMode(QProcess::MergedChannels);
        avrdude.start(staged + "/avrdude", {"-C" + staged + "/avrdude.conf", list});
        ASSERT_TRUE(avrdude.waitForFinished(60000));
        known += QString::fromUtf8(avrdude.readAll()).toLower();
    }
    for (const char* name : {"usbtiny", "avrisp2", "usbasp", "atmega168", "atmega328", "attiny44",
                             "attiny45", "attiny85"})
        EXPECT_TRUE(known.contains(QString(name) + " ") || known.contains(" = " + QString(name)))
            << name;
}

// openocd reads its scripts and commands as Tcl: every path must reach it literally, however
// its directory is named, and nothing in a name may run.
TEST_F(RealTools, OpenocdTakesHostilePathsLiterally) {
    QTemporaryDir parent;
    const QString hostile = parent.filePath("} [exec touch pwned] { \"$HOME\\");
    QDir().mkpath(hostile + "/firmware");
    for (const char* entry :
         {"openocd", "openocd-scripts", "openocd_flash_pre.cfg", "openocd_flash_post.cfg"})
        QFile::link(QFileInfo(staged + "/" + entry).canonicalFilePath(), hostile + "/" + entry);
    QFile::copy(staged + "/firmware/zembro_1.0.bin", hostile + "/firmware/zembro_[1] $x.bin");
    EXPECT_EQ(toolOutput({"Zembro", "[1] $x", "--factory", "--resources", hostile}),
              recording("openocd-0.12-stlink-v2-no-device.txt"));
    EXPECT_EQ(std::pair(QFile::exists("pwned"), QFile::exists(hostile + "/pwned")),
              std::pair(false, false));

    // The image path, as the command quotes it, comes back from openocd unchanged.
    const QString write =
        QString::fromUtf8(
            run({"command", "Zembro", "[1] $x", "--factory", "--resources", hostile}).out)
            .split('\n')
            .at(9);
    const QString quoted =
        write.mid(write.indexOf('"'), write.lastIndexOf('"') - write.indexOf('"') + 1);
    QProcess openocd;
    openocd.setProcessChannelMode(QProcess::MergedChannels);
    openocd.start(hostile + "/openocd", {"-c", "echo " + quoted, "-c", "shutdown"});
    ASSERT_TRUE(openocd.waitForFinished(60000));
    EXPECT_TRUE(
        openocd.readAll().contains(("\n" + hostile + "/firmware/zembro_[1] $x.bin\n").toUtf8()));
}

} // namespace
} // namespace modflash::testing
