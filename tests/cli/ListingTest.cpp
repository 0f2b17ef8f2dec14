// SPDX-License-Identifier: GPL-3.0-or-later
// products, versions and command: what is offered and how it is named, the command an update
// would run, and what a typing mistake gets.
#include "CliHarness.h"
#include "ImageListing.h"
#include "Preferences.h"
#include "ProductCatalogue.h"
#include "Programmers.h"
#include "ResourceDirectory.h"
#include "TestSupport.h"
#include "ToolDirectory.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

namespace modflash::testing {
namespace {

const QString staged = MODFLASH_CLI_RESOURCES;

QStringList lines(const QByteArray& bytes) {
    return QString::fromUtf8(bytes).split('\n', Qt::SkipEmptyParts);
}

QStringList offered(bool factory) {
    const ResourceDirectory resources(staged.toStdString());
    const ImageListing images(resources);
    QStringList titles;
    for (const ProductPtr& product : ProductCatalogue().products())
        if (images.offers(*product, factory))
            titles.append(QString::fromStdString(product->title()));
    return titles;
}

using Listing = CliHarness;

TEST_F(Listing, ProductsAreTheWindowsOfferInItsOrder) {
    EXPECT_EQ(lines(run({"products"}).out), offered(false));
    EXPECT_FALSE(offered(false).contains("Zembro"));
    EXPECT_EQ(lines(run({"products", "--factory"}).out), offered(true));
    storeBool(PreferenceKey::enableFactoryFirmware, true);
    EXPECT_EQ(lines(run({"products"}).out), offered(true));
    EXPECT_EQ(lines(run({"products", "--no-factory"}).out), offered(false));
    const QStringList filesBefore = homeFiles();
    EXPECT_EQ(lines(run({"products", "--all"}).out).size(), 36);
    EXPECT_EQ(homeFiles(), filesBefore) << "the preferences are only read";

    // The whole catalogue as scripts read it, against a reviewed copy: a changed title,
    // image prefix, family, chip or factory flag shows here.
    QFile reviewed(MODFLASH_TEST_DATA_DIR "/products-all.json");
    ASSERT_TRUE(reviewed.open(QIODevice::ReadOnly));
    EXPECT_EQ(run({"products", "--all", "--json", "--no-factory"}).out, reviewed.readAll());
}

TEST_F(Listing, VersionsByTitlePageNameOrAnyLetterCaseAsUtf8) {
    EXPECT_EQ(lines(run({"versions", "Wendrel"}).out), QStringList({"1.4.2", "2.0", "B1"}));
    EXPECT_EQ(lines(run({"versions", "tessary_1u_f4"}).out), QStringList({"1.0", "2.0"}));
    EXPECT_EQ(lines(run({"versions", "wENDREL"}).out), QStringList({"1.4.2", "2.0", "B1"}));
    const QJsonArray json =
        QJsonDocument::fromJson(run({"versions", "Wendrel", "--json"}).out).array();
    EXPECT_EQ(json.at(2).toObject(), (QJsonObject{{"version", "B1"},
                                                  {"path", staged + "/firmware/Wendrel.B1.bin"},
                                                  {"sample", true}}));
    const Run plainC = run({"products", "--all"}, {"LANG=C", "LC_ALL=C"});
    EXPECT_TRUE(plainC.out.contains("\n\xc2\xb5Tessary\n") &&
                plainC.out.contains("Br\xc3\xbbve\n"));
    EXPECT_TRUE(plainC.err.isEmpty());

    // An image whose name is not UTF-8 is left out, and the person told why.
    ToolDirectory odd;
    const QByteArray badName = QFile::encodeName(odd.filePath("firmware")) + "/Wendrel.3\xff.bin";
    QDir().mkpath(odd.filePath("firmware"));
    ::close(::open(badName.constData(), O_CREAT | O_WRONLY, 0644));
    odd.writeFile("firmware/Wendrel.2.0.bin");
    const Run listed = run({"versions", "Wendrel", "--resources", odd.path()});
    EXPECT_EQ(listed.out, "2.0\n");
    EXPECT_EQ(listed.err, "modflash-cli: left out \"Wendrel.3\xef\xbf\xbd.bin\": its file name is "
                          "not valid UTF-8; rename the file\n");
    ::unlink(badName.constData()); // Qt cannot name it to remove it
}

TEST_F(Listing, NothingOfferedGetsAOneLineReasonAndStatus0) {
    QTemporaryDir empty;
    const QString firmware = "\u201c" + empty.path() + "/firmware\u201d";
    Run none = run({"products", "--resources", empty.path()});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(QString::fromUtf8(none.err),
              "modflash-cli: no product is offered: there are no firmware images in " + firmware +
                  "; they come from your module's maker (products --all lists every product)\n");
    Run versions = run({"versions", "Wendrel", "--resources", empty.path()});
    EXPECT_EQ(versions.status, 0);
    EXPECT_EQ(versions.out, "");
    EXPECT_EQ(QString::fromUtf8(versions.err),
              "modflash-cli: \u201cWendrel\u201d has no firmware images in " + firmware +
                  "; its images are named \u201cWendrel.<version>.bin\u201d\n");

    // Images only for a factory-only product: the hint names the way to them.
    QDir(empty.path()).mkpath("firmware");
    QFile(empty.filePath("firmware/kolvane_1.0.hex")).open(QIODevice::WriteOnly);
    none = run({"products", "--resources", empty.path()});
    EXPECT_EQ(none.out, "");
    EXPECT_TRUE(none.err.endsWith("are all for factory-only products, which --factory offers\n"));
    EXPECT_EQ(lines(run({"products", "--resources", empty.path(), "--factory"}).out),
              QStringList{"Kolvane"});
    const Run all = run({"products", "--resources", empty.path(), "--all"});
    EXPECT_EQ(all.err, "") << "--all lists every product, so nothing is missing";
}

TEST_F(Listing, CommandIsTheLibrarysUnderEachPreference) {
    storeString(PreferenceKey::avrProgrammer, "usbasp");
    const Run drovel = run({"command", "Drovel", "1.1"});
    EXPECT_EQ(
        lines(drovel.out).mid(0, 4),
        QStringList({staged + "/avrdude", "-C" + staged + "/avrdude.conf", "-F", "-cusbasp"}));
    EXPECT_EQ(lines(run({"--programmer", "AVRISP2", "command", "Drovel", "1.1"}).out).at(3),
              "-cavrisp2");
    const QJsonObject swd =
        QJsonDocument::fromJson(
            run({"command", "Zembro", "1.0", "--factory", "--stlink", "v2-1", "--json"}).out)
            .object();
    EXPECT_EQ(swd.value("arguments").toArray().at(3).toString(), "interface/stlink-v2-1.cfg");
    EXPECT_EQ(swd.value("environment").toObject(), (QJsonObject{{"LD_LIBRARY_PATH", staged}}));
    const Run massErase = run({"command", "Wendrel", "2.0", "--mass-erase"});
    EXPECT_EQ(lines(massErase.out).at(4), "0x08000000:leave:mass-erase:force");

    ToolDirectory incomplete;
    incomplete.writeFile("firmware/drovel_1.0.hex", ToolDirectory::validImage("d.hex"));
    incomplete.remove("avrdude.conf");
    const Run missing = run({"command", "Drovel", "1.0", "--resources", incomplete.path()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "modflash-cli: the command cannot be built: avrdude's configuration "
                           "file (avrdude.conf) is missing: looked for " +
                               incomplete.filePath("avrdude.conf").toUtf8() + "\n");
}

TEST_F(Listing, TypingMistakesGetOneLineAndStatus64AndNothingElse) {
    ToolDirectory dir;
    for (const char* image : {"parvonne_2.0.hex", "parvonne_2.0parvonne_.hex", "UP.HEX", "x.bin"})
        dir.writeFile(QString("firmware/") + image, ToolDirectory::validImage(image));
    // The transcript of every mistake in the reviewed file, as the runs answer it.
    QFile reviewed(MODFLASH_TEST_DATA_DIR "/cli/mistakes.txt");
    ASSERT_TRUE(reviewed.open(QIODevice::ReadOnly));
    const QString expected = QString::fromUtf8(reviewed.readAll());
    QString transcript;
    for (const QString& line : expected.split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(' '))
            continue;
        transcript += line + '\n';
        if (line.startsWith('#'))
            continue;
        QStringList arguments = line == "-" ? QStringList{} : line.split(" | ");
        for (QString& argument : arguments)
            argument.replace("{dir}", dir.path()).replace("{xff}", QChar(0xDCFF));
        const Run result = run(arguments);
        for (QString error : result.errLines())
            transcript += "  " + error.replace(dir.path(), "{dir}") + '\n';
        if (result.status != 64 || !result.out.isEmpty())
            transcript +=
                QString("  status %1, output \"%2\"\n").arg(result.status).arg(result.out);
    }
    EXPECT_EQ(transcript, expected);
    const QString up = dir.filePath("firmware/UP.HEX");
    // A picked file's extension counts in any letter case, the same as in the window.
    const Run upper = run({"command", "Drovel", "--factory", "--file", up});
    EXPECT_EQ(upper.status, 0) << upper.err.toStdString();
    EXPECT_TRUE(upper.out.contains("-Uflash:w:" + up.toUtf8() + ":i\n"));
}

TEST_F(Listing, HelpAndVersionNeedNothingElse) {
    const Run help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"products", "versions", "command", "update", "--stlink"})
        EXPECT_TRUE(help.out.contains(word)) << word;
    EXPECT_TRUE(help.out.contains("\"ST-Link v2-1\" (v2-1)"));
    EXPECT_TRUE(run({"update", "--help"}).out.contains("SIGHUP"));
    const Run german = run({"--help"}, {"LANG=de_DE.UTF-8"});
    EXPECT_TRUE(german.out.startsWith("Aufruf: modflash-cli [Optionen] SUBCOMMAND"))
        << german.out.toStdString();
    EXPECT_TRUE(german.out.contains("\nUnterbefehle:\n  products [--all] [--json]\n"));
    EXPECT_EQ(run({"--version"}).out, "modflash-cli " MODFLASH_VERSION "\n");
}

} // namespace
} // namespace modflash::testing
