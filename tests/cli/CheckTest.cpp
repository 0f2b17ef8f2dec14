// SPDX-License-Identifier: GPL-3.0-or-later
// The checks before writing, through modflash-cli: the image refused before any tool runs, and
// an AVR module of another chip refused after its signature is read and before anything is
// written.
#include "CliHarness.h"
#include "TestSupport.h"
#include "ToolDirectory.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace modflash::testing {
namespace {

class Checks : public CliHarness {
protected:
    Checks() {
        tools.writeFile("firmware/drovel_1.0.hex", ToolDirectory::validImage("d.hex"));
        tools.writeFile("firmware/Wendrel.2.0.bin",
                        "<!DOCTYPE html>\n<html><body>Moved</body></html>");
        tools.writeFile("firmware/Wendrel.3.0.bin", QByteArray(64, '\x7f'));
    }
    // An avrdude that answers the module check with a signature, or fails as avrdude does
    // without a programmer, and notes each run that writes.
    void installAvrdude(const QByteArray& signatureRun) {
        tools.installTool("avrdude",
                          "case \" $* \" in *\" -Uflash\"*) echo \"$*\" >> '" +
                              tools.filePath("writes").toUtf8() + "';; *) " + signatureRun +
                              ";; esac",
                          false);
    }
    Run update(const QStringList& more) {
        return run(QStringList{"update", "--resources", tools.path()} + more);
    }
    bool wrote() const { return QFile::exists(tools.filePath("writes")); }

    ToolDirectory tools;
};

TEST_F(Checks, ImagesAreCheckedBeforeAnyToolRuns) {
    const Run good = run({"check", "Drovel", "1.0", "--resources", tools.path()});
    EXPECT_EQ(good.status, 0);
    EXPECT_TRUE(good.out.startsWith("Image: " + tools.filePath("firmware/drovel_1.0.hex").toUtf8() +
                                    "\nFormat: Intel HEX\nSize: 26 bytes\nAddresses: 0x0000 to "
                                    "0x0000\nSHA-256: "));
    EXPECT_TRUE(good.out.endsWith("Verdict: it would be written\n"));
    const QJsonObject html =
        QJsonDocument::fromJson(
            run({"check", "Wendrel", "2.0", "--json", "--resources", tools.path()}).out)
            .object();
    EXPECT_EQ(html.value("verdict").toString(), "malformed");
    // The refusal's full text, and that nothing runs, are in the one-line answers' transcript.
    EXPECT_TRUE(
        html.value("reason").toString().startsWith("\u201cWendrel.2.0.bin\u201d is an HTML"));
    // A well-formed image that only a plausibility rule refuses is written when asked to.
    tools.installTool("dfu-util-factory", "echo wrote");
    EXPECT_EQ(update({"Wendrel", "3.0", "--force", "--factory"}).status, 0);
}

TEST_F(Checks, AnAvrModuleOfAnotherChipIsRefusedBeforeAnythingIsWritten) {
    installAvrdude("echo 'avrdude: device signature = 0x1e950f (probably m328p)'");
    const Run other = update({"Drovel", "1.0"});
    EXPECT_EQ(other.status, 65);
    EXPECT_TRUE(
        other.err.startsWith("modflash-cli: This module has an ATmega328P, but Drovel uses "
                             "an ATmega168. Products with an ATmega328: Ostrine, Parvonne"));
    EXPECT_TRUE(other.out.endsWith("(probably m328p)\nERROR DURING UPDATE\n"));
    EXPECT_FALSE(wrote());
    // Without a programmer nothing can be read: the update fails as any other.
    installAvrdude("echo 'avrdude error: cannot find USBtiny device (0x1781/0xc9f)'; exit 1");
    const Run none = update({"Drovel", "1.0"});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.contains("(0x1781/0xc9f)\n\nIMPORTANT\nNOTE: avrdude did not finish"));
    EXPECT_FALSE(wrote());
    // The variant the product accepts passes; with the check off nothing is read first.
    installAvrdude("echo 'avrdude: device signature = 0x1e940b'; exit 1");
    EXPECT_EQ(update({"Drovel", "1.0"}).status, 0);
    EXPECT_TRUE(wrote());
    installAvrdude("exit 1");
    const Run unchecked = update({"Drovel", "1.0", "--no-module-check"});
    EXPECT_EQ(unchecked.status, 0);
    EXPECT_FALSE(unchecked.out.contains("Checking the module"));
}

} // namespace
} // namespace modflash::testing
