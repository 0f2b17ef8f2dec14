// command and the usage rules: the library's command, the preferences it reads, --file, missing
// resources, and what a typing mistake gets.
#include "CliRun.h"

#include "Preferences.h"
#include "ProductCatalogue.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace modflash;

namespace {

// The command the library builds for a product's version under the start-up defaults.
UpdateTask libraryTask(const char* title, const std::string& version, bool factory = false) {
    MemoryPreferences prefs;
    prefs.registerDefaults({{PreferenceKey::avrProgrammer, std::string("usbtiny")},
                            {PreferenceKey::stlinkProgrammer, std::string("ST-Link v2")}});
    prefs.setBool(PreferenceKey::enableFactoryFirmware, factory);
    const ResourceDirectory resources = CliTest::stagedResources();
    const ProductPtr product = ProductCatalogue().productWithTitle(title);
    for (const FirmwarePtr& firmware : product->getAllFirmware(resources)) {
        if (firmware->version() == version)
            return product->createUpdateTask(*firmware, resources, prefs);
    }
    ADD_FAILURE() << "no sample image " << version << " of " << title;
    return {};
}

} // namespace

// Each family's vector is the flashing tests' business; here only that the CLI prints the
// library's command unchanged, as lines and as JSON.
TEST_F(CliTest, CommandIsTheLibrarys) {
    const auto lines = [](const UpdateTask& task) {
        QStringList lines{QString::fromStdString(task.launchPath)};
        for (const std::string& argument : task.arguments)
            lines.append(QString::fromStdString(argument));
        return lines;
    };
    EXPECT_EQ(run({"command", "drovel", "1.1"}).outLines(), lines(libraryTask("Drovel", "1.1")));

    const UpdateTask swd = libraryTask("Zembro", "1.0", true);
    const QJsonObject json =
        QJsonDocument::fromJson(run({"command", "zembro", "1.0", "--factory", "--json"}).out)
            .object();
    EXPECT_EQ(json.value("program").toString() + "\n" +
                  json.value("arguments").toVariant().toStringList().join('\n'),
              lines(swd).join('\n'));
    const QVariantMap environment = json.value("environment").toObject().toVariantMap();
    ASSERT_EQ(environment.size(), 1);
    EXPECT_EQ(environment.value("LD_LIBRARY_PATH").toString().toStdString(),
              swd.environment.at("LD_LIBRARY_PATH"));
}

TEST_F(CliTest, StoredPreferencesApplyAndOverridesAreNeverStored) {
    storeString(PreferenceKey::avrProgrammer, "usbasp");
    storeBool(PreferenceKey::enableFactoryFirmware, true);
    const auto before = homeSnapshot();

    EXPECT_EQ(run({"command", "drovel", "1.1"}).outLines().at(3), "-cusbasp");
    EXPECT_TRUE(run({"command", "Wendrel", "2.0"}).outLines().at(0).endsWith("/dfu-util-factory"));
    EXPECT_EQ(run({"command", "drovel", "1.1", "--programmer", "avrisp2"}).outLines().at(3),
              "-cavrisp2");
    EXPECT_EQ(run({"command", "zembro", "1.0", "--stlink", "ST-Link v2-1"}).outLines().at(4),
              "interface/stlink-v2-1.cfg");
    const QStringList dfu =
        run({"command", "Wendrel", "2.0", "--no-factory", "--mass-erase"}).outLines();
    EXPECT_TRUE(dfu.at(0).endsWith("/dfu-util"));
    EXPECT_EQ(dfu.at(4), "0x08000000:leave:mass-erase:force");

    EXPECT_EQ(homeSnapshot(), before) << "a run must leave the preferences file as it was";
}

TEST_F(CliTest, FileNeedsFactoryFirmwareAndTheProductsImageType) {
    const QString image = m_home.filePath("bench build.r7.hex");
    QFile(image).open(QIODevice::WriteOnly);
    const CliResult on = run({"command", "drovel", "--file", image, "--factory"});
    ASSERT_EQ(on.status, 0) << on.err.toStdString();
    EXPECT_EQ(on.outLines().at(6), "-Uflash:w:" + image + ":i");

    // A relative path reaches the tool as the absolute path of the same file.
    storeBool(PreferenceKey::enableFactoryFirmware, true);
    m_workingDirectory = m_home.path();
    EXPECT_EQ(run({"command", "drovel", "--file", "bench build.r7.hex"}).outLines(), on.outLines());

    const CliResult wrongType = run({"command", "Wendrel", "--file", image});
    EXPECT_EQ(wrongType.status, 64);
    EXPECT_TRUE(wrongType.err.contains(".bin")) << wrongType.err.toStdString();
    EXPECT_EQ(run({"command", "drovel", "--file", image + ".missing"}).status, 64);
    EXPECT_EQ(run({"command", "drovel", "--file", m_home.path()}).status, 64);
}

TEST_F(CliTest, AMissingResourceIsTheReasonTheCommandCannotBeBuilt) {
    QTemporaryDir resources;
    ASSERT_TRUE(QDir(resources.path()).mkpath("firmware"));
    QFile(resources.filePath("firmware/drovel_1.0.hex")).open(QIODevice::WriteOnly);

    const CliResult avr = run({"--resources", resources.path(), "command", "drovel", "1.0"});
    EXPECT_EQ(avr.status, 1);
    EXPECT_TRUE(avr.out.isEmpty());
    ASSERT_EQ(avr.errLines().size(), 1);
    EXPECT_TRUE(avr.err.contains(resources.filePath("avrdude.conf").toUtf8())) << avr.err.data();
    // The same directory still lists what it holds.
    EXPECT_EQ(run({"--resources", resources.path(), "products"}).outLines(), QStringList{"Drovel"});
}

// A typing mistake: status 64, one line on standard error holding a word that points somewhere
// useful, nothing on standard output and nothing written anywhere.
TEST_F(CliTest, UsageMistakesAreOneLineOnStandardErrorAndStatus64) {
    const struct {
        QStringList arguments;
        const char* hint;
    } mistakes[] = {
        {{"versions", "Foo"}, "products --all"},
        {{"command", "drovel", "9.9"}, "versions drovel"},
        {{"products", "--bogus"}, "--bogus"},
        {{"products", "--file", "x.hex"}, "products --help"},
        {{"flash"}, "--help"},
        {{}, "--help"},
        {{"versions"}, "PRODUCT"},
        {{"command", "Wendrel"}, "versions Wendrel"},
        {{"versions", "Tessary", "1U"}, "quotes"},
        {{"command", "drovel", "--file"}, "--file"},
        {{"versions", "Zembro", "--no-factory"}, "--factory"},
        {{"command", "drovel", "--file", "/dev/null"}, "--factory"},
        {{"command", "drovel", "1.0", "--file", "x.hex"}, "not both"},
        {{"products", "--mass-erase", "--no-mass-erase"}, "only one"},
        {{"products", "--programmer", "stk500"}, "usbtiny"},
        {{"products", "--stlink", "st-link v2"}, "ST-Link v2-1"},
        {{"--resources", "/nonexistent", "products"}, "/nonexistent"},
        // Before anything runs: an update prints its first line only once it starts.
        {{"update", "Drovel", "9.9"}, "versions drovel"},
        {{"update", "Zembro", "1.0"}, "--factory"},
    };
    storeString(PreferenceKey::avrProgrammer, "avrisp2");
    const auto before = homeSnapshot();
    for (const auto& mistake : mistakes) {
        const CliResult result = run(mistake.arguments);
        SCOPED_TRACE(mistake.arguments.join(' ').toStdString() + ": " + result.err.data());
        EXPECT_EQ(result.status, 64);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ(result.errLines().size(), 1);
        EXPECT_TRUE(result.err.startsWith("modflash-cli: "));
        EXPECT_TRUE(result.err.contains(mistake.hint));
    }
    EXPECT_EQ(homeSnapshot(), before);
}

TEST_F(CliTest, HelpListsTheSubcommandsAndVersionIsTheProjects) {
    const CliResult help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: modflash-cli "));
    for (const char* subcommand : {"products", "versions", "command"})
        EXPECT_TRUE(help.out.contains(QByteArray("\n  ") + subcommand + " ")) << subcommand;
    EXPECT_TRUE(run({"command", "--help"}).out.contains("--file <PATH>"));
    EXPECT_EQ(run({"--version"}).out, QByteArray("modflash-cli " MODFLASH_VERSION "\n"));
}
