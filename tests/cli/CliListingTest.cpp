// products and versions: what is offered, in which order, and how a product is named.
#include "CliRun.h"

#include "Preferences.h"
#include "ProductCatalogue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace modflash;

namespace {

QStringList titles(bool factoryFirmware, bool all) {
    const ResourceDirectory resources = CliTest::stagedResources();
    QStringList result;
    for (const ProductPtr& product : ProductCatalogue().products()) {
        const bool offered =
            product->hasFirmware(resources) && (!product->factoryOnly() || factoryFirmware);
        if (all || offered)
            result.append(QString::fromStdString(product->title()));
    }
    return result;
}

QJsonObject entryTitled(const QJsonArray& array, const QString& title) {
    for (const QJsonValue& value : array) {
        if (value.toObject().value("title").toString() == title)
            return value.toObject();
    }
    return {};
}

} // namespace

TEST_F(CliTest, ProductsListsTheOfferedProductsInDisplayOrder) {
    const CliResult plain = run({"products"});
    ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.outLines(), titles(false, false));
    EXPECT_TRUE(plain.outLines().contains("Wendrel"));
    EXPECT_FALSE(plain.outLines().contains("Zembro")) << "factory-only while factory is off";

    const CliResult all = run({"products", "--all"});
    ASSERT_EQ(all.status, 0);
    EXPECT_EQ(all.outLines().size(), 36);
    EXPECT_EQ(all.outLines(), titles(false, true));
    EXPECT_EQ(all.outLines().front(), "Belvox");
    EXPECT_EQ(all.outLines().back(), QString::fromUtf8("\u00b5Tessary 1U"));
}

TEST_F(CliTest, FactoryFirmwareFromTheStoreOrForOneRun) {
    const QStringList withFactory = titles(true, false);
    ASSERT_TRUE(withFactory.contains("Zembro"));

    EXPECT_EQ(run({"products", "--factory"}).outLines(), withFactory);

    storeBool(PreferenceKey::enableFactoryFirmware, true);
    EXPECT_EQ(run({"products"}).outLines(), withFactory);
    EXPECT_EQ(run({"products", "--no-factory"}).outLines(), titles(false, false));
}

TEST_F(CliTest, ProductsAsJson) {
    const CliResult result =
        run({"--resources", MODFLASH_CLI_RESOURCES, "products", "--all", "--json"});
    ASSERT_EQ(result.status, 0);
    const QJsonArray array = QJsonDocument::fromJson(result.out).array();
    ASSERT_EQ(array.size(), 36);
    EXPECT_EQ(array.first().toObject().value("title").toString(), "Belvox");

    const QJsonObject wendrel = entryTitled(array, "Wendrel");
    EXPECT_EQ(wendrel.value("family").toString(), "dfu");
    EXPECT_EQ(wendrel.value("prefix").toString(), "Wendrel.");
    EXPECT_FALSE(wendrel.value("factoryOnly").toBool(true));
    EXPECT_TRUE(wendrel.value("offered").toBool());
    EXPECT_EQ(wendrel.value("versions").toInt(), 3);

    const QJsonObject zembro = entryTitled(array, "Zembro");
    EXPECT_EQ(zembro.value("family").toString(), "swd");
    EXPECT_TRUE(zembro.value("factoryOnly").toBool());
    EXPECT_FALSE(zembro.value("offered").toBool(true));
    EXPECT_EQ(entryTitled(array, "Drovel").value("family").toString(), "avr");
    EXPECT_EQ(entryTitled(array, QString::fromUtf8("\u00b5Nobb")).value("versions").toInt(-1), 0);

    // Without --all only the offered ones, each marked so.
    const QJsonArray offered = QJsonDocument::fromJson(run({"products", "--json"}).out).array();
    EXPECT_EQ(offered.size(), titles(false, false).size());
    for (const QJsonValue& value : offered)
        EXPECT_TRUE(value.toObject().value("offered").toBool());
}

TEST_F(CliTest, VersionsInTheProductsOrder) {
    EXPECT_EQ(run({"versions", "Wendrel"}).outLines(), QStringList({"1.4.2", "2.0", "B1"}));
    EXPECT_EQ(run({"versions", "Kolvanix", "--factory"}).outLines(), QStringList({"10.0", "2.0"}));

    const QJsonArray array =
        QJsonDocument::fromJson(run({"versions", "Wendrel", "--json"}).out).array();
    ASSERT_EQ(array.size(), 3);
    EXPECT_EQ(array.at(2).toObject().value("version").toString(), "B1");
    EXPECT_EQ(array.at(2).toObject().value("path").toString(),
              QString(MODFLASH_CLI_RESOURCES) + "/firmware/Wendrel.B1.bin");
}

TEST_F(CliTest, ProductsAreNamedByTitleOrPageName) {
    const QStringList byTitle = run({"versions", "Tessary 1U (rev002)"}).outLines();
    ASSERT_EQ(byTitle, QStringList({"1.0", "2.0"}));
    EXPECT_EQ(run({"versions", "Tessary_1U_f4"}).outLines(), byTitle);

    const CliResult micro = run({"versions", "uTessary"});
    EXPECT_EQ(micro.status, 0) << "a product without images lists no versions";
    EXPECT_TRUE(micro.out.isEmpty());
    EXPECT_EQ(run({"versions", QString::fromUtf8("Br\u00fbve")}).status, 0);
    EXPECT_EQ(run({"versions", "wendrel"}).status, 64) << "titles compare case-sensitively";
}

TEST_F(CliTest, TitlesAreUtf8WhateverTheLocale) {
    QProcessEnvironment plainC = environment();
    plainC.remove("LC_ALL");
    plainC.remove("LC_CTYPE");
    plainC.insert("LANG", "C");
    const CliResult result = runWith(plainC, {"products", "--all"});
    ASSERT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.contains("\n\xc2\xb5Tessary\n")) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains("Br\xc3\xbbve\n"));
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();

    plainC.insert("LC_ALL", "C");
    const CliResult typed = runWith(plainC, {"versions", QString::fromUtf8("\u00b5Tessary")});
    EXPECT_EQ(typed.status, 0) << typed.err.toStdString();
}
