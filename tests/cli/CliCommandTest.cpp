// command: the vector each family builds, the preferences it reads, --file and missing resources.
#include "CliRun.h"

#include "ARMSWDProduct.h"
#include "Preferences.h"
#include "ProductCatalogue.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace modflash;

namespace {

// The command the library builds for a product's version under the given preferences.
UpdateTask libraryTask(const char* title, const std::string& version, const Preferences& prefs) {
    const ResourceDirectory resources = CliTest::stagedResources();
    const ProductPtr product = ProductCatalogue().productWithTitle(title);
    for (const FirmwarePtr& firmware : product->getAllFirmware(resources)) {
        if (firmware->version() == version)
            return product->createUpdateTask(*firmware, resources, prefs);
    }
    ADD_FAILURE() << "no sample image " << version << " of " << title;
    return {};
}

UpdateTask fromJson(const QByteArray& json) {
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    UpdateTask task;
    task.launchPath = object.value("program").toString().toStdString();
    for (const QJsonValue& argument : object.value("arguments").toArray())
        task.arguments.push_back(argument.toString().toStdString());
    const QJsonObject environment = object.value("environment").toObject();
    for (auto it = environment.begin(); it != environment.end(); ++it)
        task.environment[it.key().toStdString()] = it.value().toString().toStdString();
    return task;
}

QStringList asLines(const UpdateTask& task) {
    QStringList lines{QString::fromStdString(task.launchPath)};
    for (const std::string& argument : task.arguments)
        lines.append(QString::fromStdString(argument));
    return lines;
}

MemoryPreferences defaults() {
    MemoryPreferences prefs;
    prefs.registerDefaults({{PreferenceKey::avrProgrammer, std::string("usbtiny")},
                            {PreferenceKey::stlinkProgrammer, std::string("ST-Link v2")}});
    return prefs;
}

} // namespace

TEST_F(CliTest, EachFamilysCommandIsTheLibrarys) {
    MemoryPreferences prefs = defaults();
    const UpdateTask avr = libraryTask("Drovel", "1.1", prefs);
    const UpdateTask dfu = libraryTask("Wendrel", "2.0", prefs);
    prefs.setBool(PreferenceKey::enableFactoryFirmware, true);
    const UpdateTask swd = libraryTask("Zembro", "1.0", prefs);

    EXPECT_EQ(run({"command", "drovel", "1.1"}).outLines(), asLines(avr));
    EXPECT_EQ(fromJson(run({"command", "drovel", "1.1", "--json"}).out), avr);
    EXPECT_EQ(run({"command", "Wendrel", "2.0"}).outLines(), asLines(dfu));
    EXPECT_EQ(fromJson(run({"command", "Wendrel", "2.0", "--json"}).out), dfu);
    EXPECT_EQ(fromJson(run({"command", "zembro", "1.0", "--factory", "--json"}).out), swd);
    EXPECT_EQ(dfu.environment.size(), 1u);
}

TEST_F(CliTest, StoredPreferencesApplyAndOverridesAreNeverStored) {
    storeString(PreferenceKey::avrProgrammer, "usbasp");
    storeString(PreferenceKey::stlinkProgrammer, "ST-Link v2-1");
    storeBool(PreferenceKey::enableFactoryFirmware, true);
    const auto before = homeSnapshot();

    EXPECT_EQ(run({"command", "drovel", "1.1"}).outLines().at(3), "-cusbasp");
    EXPECT_EQ(run({"command", "zembro", "1.0"}).outLines().at(4), "interface/stlink-v2-1.cfg");
    EXPECT_TRUE(run({"command", "Wendrel", "2.0"}).outLines().at(0).endsWith("/dfu-util-factory"));

    EXPECT_EQ(run({"command", "drovel", "1.1", "--programmer", "avrisp2"}).outLines().at(3),
              "-cavrisp2");
    EXPECT_EQ(run({"command", "zembro", "1.0", "--stlink", "ST-Link v2"}).outLines().at(4),
              "interface/stlink-v2.cfg");
    const QStringList dfu =
        run({"command", "Wendrel", "2.0", "--no-factory", "--mass-erase"}).outLines();
    EXPECT_TRUE(dfu.at(0).endsWith("/dfu-util"));
    EXPECT_EQ(dfu.at(4), "0x08000000:leave:mass-erase:force");

    EXPECT_EQ(homeSnapshot(), before) << "a run must leave the preferences file as it was";
    EXPECT_EQ(run({"command", "drovel", "1.1"}).outLines().at(3), "-cusbasp");
}

TEST_F(CliTest, FileNeedsFactoryFirmwareAndTheProductsImageType) {
    const QString image = m_home.filePath("bench build.r7.hex");
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    const CliResult off = run({"command", "drovel", "--file", image});
    EXPECT_EQ(off.status, 64);
    EXPECT_TRUE(off.err.contains("--factory"));

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
    for (const char* name : {"firmware/drovel_1.0.hex", "firmware/zembro_1.0.bin"}) {
        QFile image(resources.filePath(name));
        ASSERT_TRUE(image.open(QIODevice::WriteOnly));
    }

    const CliResult avr = run({"--resources", resources.path(), "command", "drovel", "1.0"});
    EXPECT_EQ(avr.status, 1);
    EXPECT_TRUE(avr.out.isEmpty());
    ASSERT_EQ(avr.errLines().size(), 1);
    EXPECT_TRUE(avr.errLines().front().contains(resources.filePath("avrdude.conf")))
        << avr.err.toStdString();

    const CliResult swd =
        run({"--resources", resources.path(), "command", "zembro", "1.0", "--factory"});
    EXPECT_EQ(swd.status, 1);
    EXPECT_TRUE(swd.err.contains("openocd-scripts")) << swd.err.toStdString();

    // The same directory still lists what it holds.
    EXPECT_EQ(run({"--resources", resources.path(), "products"}).outLines(),
              QStringList({"Drovel"}));
}
