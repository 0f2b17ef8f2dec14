// SPDX-License-Identifier: GPL-3.0-or-later
// products, versions and command: what is offered and how it is named, the command an update
// would run, and the one-line answer to a typing mistake or to what cannot be done.
#include "CliHarness.h"
#include "Golden.h"
#include "TestSupport.h"
#include "ToolDirectory.h"
#include "flashing/Preferences.h"
#include "flashing/Programmers.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

namespace modflash::testing {
namespace {

const QString staged = MODFLASH_CLI_RESOURCES;

using Listing = CliHarness;

// What the sample images offer, by title, page name or any letter case, is in the reviewed
// one-line answers; here the stored preference and the options over it.
TEST_F(Listing, ProductsFollowTheStoredPreferenceUnlessAnOptionSaysOtherwise) {
    const QByteArray plain = run({"products"}).out;
    const QByteArray factory = run({"products", "--factory"}).out;
    preferences().setBool(PreferenceKey::enableFactoryFirmware, true);
    EXPECT_EQ(run({"products"}).out, factory);
    EXPECT_EQ(run({"products", "--no-factory"}).out, plain);
    // The whole catalogue as scripts read it, against a reviewed copy: a changed title,
    // image prefix, family, chip or factory flag shows here.
    const QStringList filesBefore = homeFiles();
    QFile reviewed(MODFLASH_TEST_DATA_DIR "/products-all.json");
    ASSERT_TRUE(reviewed.open(QIODevice::ReadOnly));
    EXPECT_EQ(run({"products", "--all", "--json", "--no-factory"}).out, reviewed.readAll());
    EXPECT_EQ(homeFiles(), filesBefore) << "the preferences are only read";
}

// Titles as UTF-8 whatever the locale; the command under a stored preference (under options, it
// is in the one-line answers).
TEST_F(Listing, TitlesAsUtf8AndTheCommandUnderTheStoredPreference) {
    const Run plainC = run({"products", "--all"}, {"LANG=C", "LC_ALL=C"});
    EXPECT_TRUE(plainC.out.contains("\n\xc2\xb5Tessary\n"));
    EXPECT_TRUE(plainC.out.contains("Br\xc3\xbbve\n"));
    EXPECT_TRUE(plainC.err.isEmpty());
    preferences().setString(PreferenceKey::avrProgrammer, "usbasp");
    EXPECT_TRUE(run({"command", "Drovel", "1.1"}).out.contains("\n-F\n-cusbasp\n"));
}

TEST_F(Listing, OneLineAnswersToMistakesAndToWhatCannotBeDone) {
    ToolDirectory dir;
    for (const char* image : {"parvonne_2.0.hex", "parvonne_2.0parvonne_.hex", "UP.HEX", "x.bin"})
        dir.writeFile(QString("firmware/") + image, ToolDirectory::validImage(image));
    // A file whose size stat() gives as 0, though it holds text with zero bytes in it.
    QFile::link("/proc/self/environ", dir.filePath("firmware/drovel_9.0.hex"));
    QTemporaryDir none;
    ToolDirectory factory;
    factory.writeFile("firmware/kolvane_1.0.hex", ToolDirectory::validImage("k.hex"));
    ToolDirectory odd;
    odd.remove("avrdude.conf");
    odd.writeFile("firmware/drovel_1.0.hex", ToolDirectory::validImage("d.hex"));
    odd.writeFile("firmware/Wendrel.2.0.bin", "<!DOCTYPE html>\n<html><body>Moved</body></html>");
    odd.writeFile("firmware/Wendrel.3.0.bin", QByteArray(64, '\x7f'));
    const QByteArray badName = QFile::encodeName(odd.filePath("firmware")) + "/Wendrel.3\xff.bin";
    ::close(::open(badName.constData(), O_CREAT | O_WRONLY, 0644));
    const QList<std::pair<QString, QString>> places{
        {"{dir}", dir.path()}, {"{none}", none.path()}, {"{factory}", factory.path()},
        {"{odd}", odd.path()}, {"{staged}", staged},    {"{home}", m_home.path()}};
    // The transcript of every case in the reviewed file, as the runs answer it.
    QFile reviewed(MODFLASH_TEST_DATA_DIR "/cli/answers.txt");
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
        for (QString& argument : arguments) {
            for (const auto& [name, path] : places)
                argument.replace(name, path);
            argument.replace("{xff}", QChar(0xDCFF));
        }
        const Run result = run(arguments);
        QString answer = QString::fromUtf8(result.err);
        if (result.status != 64 || !result.out.isEmpty())
            answer += QString("status %1, output \"%2\"\n")
                          .arg(result.status)
                          .arg(QString::fromUtf8(result.out).replace('\n', "\\n"));
        for (const auto& [name, path] : places)
            answer.replace(path, name);
        for (const QString& answerLine : answer.split('\n', Qt::SkipEmptyParts))
            transcript += "  " + answerLine + '\n';
    }
    expectMatchesGolden("answers.txt", transcript.toStdString());
    ::unlink(badName.constData()); // Qt cannot name it to remove it
}

// The check report in German: its frame, a check passed and one failed, German digits, and the
// reason in German quotation marks. Scripts read the JSON report: it stays English.
TEST_F(Listing, TheCheckReportIsInTheUsersLanguageAndItsJsonStaysEnglish) {
    QTemporaryDir dir;
    const QString blank = dir.filePath("ff.bin");
    QFile file(blank);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2048, '\xff'));
    file.close();
    const QStringList check{"--factory", "check", "Wendrel", "--file", blank};
    const QStringList german{"LANG=de_DE.UTF-8", "LANGUAGE=de"};
    const Run report = run(check, german);
    EXPECT_EQ(report.status, 65);
    EXPECT_EQ(QString::fromUtf8(report.out)
                  .replace(blank, "{file}")
                  .replace(QRegularExpression("[0-9a-f]{64}"), "{sha256}"),
              "Abbild: {file}\n"
              "Format: binär\n"
              "Größe: 2.048 Bytes\n"
              "SHA-256: {sha256}\n"
              "  bestanden        Nicht leer: 2.048 Bytes\n"
              "  NICHT BESTANDEN  Keine andere Dateiart: leerer Flash (jedes Byte 0xFF)\n"
              "Urteil: zurückgewiesen: \u201eff.bin\u201c ist leerer Flash (jedes Byte 0xFF), kein "
              "Firmware-Abbild: Die Datei wurde vielleicht aus einem leeren Modul zurückgelesen\n");
    const QStringList json = check + QStringList{"--json"};
    const Run inGerman = run(json, german);
    EXPECT_EQ(inGerman.status, 65);
    EXPECT_EQ(inGerman.out, run(json).out);
    EXPECT_TRUE(inGerman.out.contains("\"detail\": \"2,048 bytes\"")) << inGerman.out.toStdString();
}

// In German a message quotes the names in it as it quotes its own words: „…“ only.
TEST_F(Listing, GermanMessagesQuoteTheirNamesInGermanQuotes) {
    for (const char* line : {"list", "prodcts", "versions Wendrl", "products extra",
                             "command --programmer stk500 Drovel 1.0"}) {
        const Run german = run(QString(line).split(' '), {"LANG=de_DE.UTF-8", "LANGUAGE=de"});
        const QString err = QString::fromUtf8(german.err);
        EXPECT_EQ(german.status, 64) << err.toStdString();
        // Every name in „…“, and no other quotation mark left once they are taken out.
        const QString unquoted = QString(err).remove(QRegularExpression("\u201e[^\u201c]*\u201c"));
        EXPECT_NE(unquoted, err);
        EXPECT_FALSE(unquoted.contains(QRegularExpression("[\"\u201c\u201d\u201e]")))
            << err.toStdString();
    }
}

// The --shell line, run by sh, starts the program with the argument vector and environment the
// JSON names, through a resource directory and an image whose names hold what a shell would
// otherwise take apart: each such character alone (beside files a wrong glob would match too),
// and all at once for each family. The stand-in tools print what they get, NUL-separated.
TEST_F(Listing, TheShellLineGivesTheShellTheCommandUnchanged) {
    ToolDirectory tools;
    for (const char* tool : {"avrdude", "dfu-util-factory", "openocd"})
        tools.installTool(tool, R"(printf '%s\0' "$0" "$LD_LIBRARY_PATH" "$@")", false);
    const QString all = "it's \"$HOME\" `id` \\* ;#\n=x";
    QList<std::pair<QString, QString>> cases;
    for (const char* alone :
         {" ", "'", "\"", "$HOME", "`id`", "\\", "\n", "*", "?", "[a]", ";", "&", "|", "<", "("})
        cases.append({QStringLiteral("Wendrel"), QString(alone)});
    for (const char* product : {"Drovel", "Wendrel", "Zembro"})
        cases.append({QString(product), all});
    QTemporaryDir places;
    for (qsizetype i = 0; i < cases.size(); ++i) {
        const auto& [product, name] = cases.at(i);
        const QString extension = product == "Drovel" ? ".hex" : ".bin";
        const QString dir = places.filePath(QString::number(i));
        ASSERT_TRUE(QDir().mkpath(dir));
        const QString resources = dir + "/" + name + "res";
        ASSERT_TRUE(QFile::link(tools.path(), resources));
        const QString file = dir + "/" + name + extension;
        for (const QString& each : {file, dir + "/a" + extension, dir + "/x" + extension}) {
            QFile out(each);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(ToolDirectory::validImage(each));
        }
        const QStringList command{"command", product,       "--factory", "--file",
                                  file,      "--resources", resources};
        const QJsonObject json =
            QJsonDocument::fromJson(run(command + QStringList{"--json"}).out).object();
        QStringList expected{json["program"].toString(),
                             json["environment"].toObject()["LD_LIBRARY_PATH"].toString()};
        for (const QJsonValue& argument : json["arguments"].toArray())
            expected.append(argument.toString());
        ASSERT_TRUE(expected.front().startsWith(resources + "/")) << product.toStdString();

        const Run shell = run(command + QStringList{"--shell"});
        ASSERT_EQ(shell.status, 0) << shell.err.toStdString();
        ASSERT_TRUE(shell.out.endsWith('\n'));
        QProcess sh;
        sh.start("sh", {"-c", QString::fromUtf8(shell.out.chopped(1))});
        ASSERT_TRUE(sh.waitForFinished());
        QStringList given = QString::fromUtf8(sh.readAllStandardOutput()).split(QChar(0));
        given.removeLast(); // after the last NUL
        EXPECT_EQ(given, expected) << shell.out.toStdString();
    }
}

TEST_F(Listing, HelpAndVersionNeedNothingElse) {
    // Whole, as reviewed in tests/data/cli/help.txt; the German one depends on Qt's own
    // translations being installed, so only its own words are checked.
    const Run help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    expectMatchesGolden(
        "help.txt",
        (help.out + "== update --help\n" + run({"update", "--help"}).out).toStdString());
    const Run german = run({"--help"}, {"LANG=de_DE.UTF-8"});
    EXPECT_TRUE(german.out.startsWith("Aufruf: modflash-cli [Optionen] SUBCOMMAND"))
        << german.out.toStdString();
    EXPECT_TRUE(german.out.contains("\nUnterbefehle:\n  products [--all] [--json]\n"));
    EXPECT_EQ(run({"--version"}).out, "modflash-cli " MODFLASH_VERSION "\n");
    // "help [SUBCOMMAND]" is --help by another name, wherever the options stand.
    EXPECT_EQ(run({"help"}).out, help.out);
    for (const char* name : {"products", "versions", "command", "check", "update", "help"}) {
        const QString subcommand = name;
        const Run asked = run({"--factory", "help", subcommand});
        EXPECT_EQ(asked.status, 0) << subcommand.toStdString();
        EXPECT_EQ(asked.out, run({subcommand, "--help"}).out) << subcommand.toStdString();
        EXPECT_TRUE(asked.out.contains(" " + subcommand.toUtf8() + " ")) << asked.out.toStdString();
    }
}

} // namespace
} // namespace modflash::testing
