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
        if (all ||
            (product->hasFirmware(resources) && (!product->factoryOnly() || factoryFirmware)))
            result.append(QString::fromStdString(product->title()));
    }
    return result;
}

} // namespace

TEST_F(CliTest, ProductsListsTheOfferedProductsInDisplayOrder) {
    EXPECT_EQ(run({"products"}).outLines(), titles(false, false));
    EXPECT_FALSE(titles(false, false).contains("Zembro")) << "factory-only while factory is off";
    const QStringList all = run({"products", "--all"}).outLines();
    EXPECT_EQ(all, titles(false, true));
    EXPECT_EQ(all.size(), 36);

    // Factory firmware from the store, or for one run either way.
    const QStringList withFactory = titles(true, false);
    ASSERT_TRUE(withFactory.contains("Zembro"));
    EXPECT_EQ(run({"products", "--factory"}).outLines(), withFactory);
    storeBool(PreferenceKey::enableFactoryFirmware, true);
    EXPECT_EQ(run({"products"}).outLines(), withFactory);
    EXPECT_EQ(run({"products", "--no-factory"}).outLines(), titles(false, false));
}

TEST_F(CliTest, ListingsAsJson) {
    const QJsonArray array =
        QJsonDocument::fromJson(run({"products", "--all", "--json"}).out).array();
    ASSERT_EQ(array.size(), 36);
    QMap<QString, QJsonObject> byTitle;
    for (const QJsonValue& value : array)
        byTitle.insert(value.toObject().value("title").toString(), value.toObject());
    const QJsonObject wendrel = byTitle.value("Wendrel");
    EXPECT_EQ(wendrel.value("family").toString() + " " + wendrel.value("prefix").toString(),
              "dfu Wendrel.");
    EXPECT_TRUE(wendrel.value("offered").toBool() && !wendrel.value("factoryOnly").toBool(true));
    EXPECT_EQ(wendrel.value("versions").toInt(), 3);
    const QJsonObject zembro = byTitle.value("Zembro");
    EXPECT_TRUE(zembro.value("factoryOnly").toBool() && !zembro.value("offered").toBool(true));
    EXPECT_EQ(byTitle.value(QString::fromUtf8("\u00b5Nobb")).value("versions").toInt(-1), 0);
    // Without --all only the offered ones.
    EXPECT_EQ(QJsonDocument::fromJson(run({"products", "--json"}).out).array().size(),
              titles(false, false).size());

    const QJsonArray versions =
        QJsonDocument::fromJson(run({"versions", "Wendrel", "--json"}).out).array();
    ASSERT_EQ(versions.size(), 3);
    EXPECT_EQ(versions.at(2).toObject().value("version").toString(), "B1");
    EXPECT_EQ(versions.at(2).toObject().value("path").toString(),
              QString(MODFLASH_CLI_RESOURCES) + "/firmware/Wendrel.B1.bin");
}

TEST_F(CliTest, VersionsOfAProductNamedByTitleOrPageName) {
    EXPECT_EQ(run({"versions", "Wendrel"}).outLines(), QStringList({"1.4.2", "2.0", "B1"}));
    EXPECT_EQ(run({"versions", "Kolvanix", "--factory"}).outLines(), QStringList({"10.0", "2.0"}));
    EXPECT_EQ(run({"versions", "Tessary 1U (rev002)"}).outLines(), QStringList({"1.0", "2.0"}));
    EXPECT_EQ(run({"versions", "Tessary_1U_f4"}).outLines(), QStringList({"1.0", "2.0"}));
    const CliResult micro = run({"versions", "uTessary"});
    EXPECT_EQ(micro.status, 0) << "a product without images lists no versions";
    EXPECT_TRUE(micro.out.isEmpty());
    EXPECT_EQ(run({"versions", "wendrel"}).status, 64) << "titles compare case-sensitively";
}

TEST_F(CliTest, TitlesAreUtf8WhateverTheLocale) {
    QProcessEnvironment plainC = environment();
    plainC.remove("LC_CTYPE");
    plainC.insert("LANG", "C");
    plainC.insert("LC_ALL", "C");
    const CliResult result = runWith(plainC, {"products", "--all"});
    EXPECT_TRUE(result.out.contains("\n\xc2\xb5Tessary\n")) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains("Br\xc3\xbbve\n"));
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    EXPECT_EQ(runWith(plainC, {"versions", QString::fromUtf8("\u00b5Tessary")}).status, 0);
}
