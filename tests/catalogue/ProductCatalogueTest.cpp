#include "ProductCatalogue.h"

#include "ARMProduct.h"
#include "AVRProduct.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace modflash {
namespace {

struct Row {
    std::string title;
    std::string prefix;
    std::string family;
    int cpu; // -1 for the STM32 rows
    bool factoryOnly;
};

// The catalogue as the product owners gave it, row by row.
const std::vector<Row> expectedRows = {
    {"Zembro", "zembro_", "swd", -1, true},
    {"Kolvane", "kolvane_", "avr", 4, true},
    {"Kolvanix", "Kolvanix.", "dfu", -1, true},
    {"Wendrel", "Wendrel.", "dfu", -1, false},
    {"Gossam", "Gossam.", "dfu", -1, false},
    {"Parvonne (rev008 or Lower)", "parvonne0_", "avr", 1, false},
    {"Parvonne (rev009 or Higher)", "parvonne_", "avr", 1, false},
    {"Parvonix", "Parvonne2.", "dfu", -1, false},
    {"Tessary 1U (rev001)", "Tessary_1U_f0.", "dfu", -1, false},
    {"Tessary 1U (rev002)", "Tessary_1U_f4.", "dfu", -1, false},
    {"Fennick", "Fennick.", "dfu", -1, false},
    {"Drovel", "drovel_", "avr", 0, false},
    {"Hobblewick", "hobblewick_", "swd", -1, true},
    {"Vishtar 2", "Vishtar2.", "dfu", -1, false},
    {"Lurrow Set 1U", "lurrow_1u_", "avr", 3, true},
    {"Vump", "vump_", "avr", 0, true},
    {"Hasko", "hasko_", "dfu", -1, false},
    {"Ostrine", "ostrine_", "avr", 1, false},
    {"Belvox", "Belvox.", "dfu", -1, false},
    {"Scintel Display (rev001)", "scintel_", "dfu", -1, false},
    {"Scintel Display (rev002)", "ScintelF4.", "dfu", -1, true},
    {"Mirrins (rev001)", "Mirrins_f0.", "dfu", -1, false},
    {"Mirrins (rev002)", "Mirrins_f4.", "dfu", -1, false},
    {"Dunmere", "Dunmere.", "dfu", -1, false},
    {"Glimmet (rev001)", "glimmet_", "dfu", -1, false},
    {"Glimmet (rev002)", "Glimmet_f4.", "dfu", -1, false},
    {"Nobbin 1U (rev001/rev002) and 3U (rev001)", "Nobbin_f0.", "dfu", -1, false},
    {"Nobbin 1U (rev003) and 3U (rev002)", "Nobbin_f4.", "dfu", -1, false},
    {"Purlane", "Purlane.", "dfu", -1, false},
    {"Br\u00fbve", "Bruve.", "dfu", -1, false},
    {"Ketterel", "ketterel_", "avr", 2, true},
    {"Fosker 1U", "fosker_1u_", "dfu", -1, false},
    {"\u00b5Tessary", "uTessary_", "dfu", -1, false},
    {"\u00b5Tessary 1U", "uTessary1U_", "dfu", -1, false},
    {"\u00b5Nobb", "unobb_", "avr", 0, true},
    {"\u00b5Mirrin II Rev011 or Higher", "uMirrin_", "avr", 1, true},
};

const ProductCatalogue& catalogue() {
    static const ProductCatalogue instance;
    return instance;
}

TEST(ProductCatalogueTest, HoldsExactlyTheTableRows) {
    ASSERT_EQ(catalogue().size(), 36u);
    for (const Row& row : expectedRows) {
        SCOPED_TRACE(row.title);
        const auto product = catalogue().productWithTitle(row.title);
        ASSERT_NE(product, nullptr);
        EXPECT_EQ(product->title(), row.title);
        EXPECT_EQ(product->prefix(), row.prefix);
        EXPECT_EQ(product->family(), row.family);
        EXPECT_EQ(product->factoryOnly(), row.factoryOnly);
        const auto* avr = dynamic_cast<const AVRProduct*>(product.get());
        EXPECT_EQ(avr ? avr->cpu() : -1, row.cpu);
        // Every DFU row carries the factory defaults; the SWD rows are no kind of DFU product.
        const auto* arm = dynamic_cast<const ARMProduct*>(product.get());
        EXPECT_EQ(arm != nullptr, row.family == "dfu");
        if (arm) {
            EXPECT_EQ(arm->address(), "0x08000000");
            EXPECT_EQ(arm->device(), "0483:df11");
        }
    }
}

TEST(ProductCatalogueTest, TableInvariants) {
    std::map<std::string_view, int> families;
    std::set<std::string> titles;
    std::set<std::string> pageNames;
    int factoryOnly = 0;
    for (const auto& product : catalogue().products()) {
        ++families[product->family()];
        factoryOnly += product->factoryOnly();
        titles.insert(product->title());
        pageNames.insert(product->pageName());
        if (product->family() == "swd") {
            EXPECT_TRUE(product->factoryOnly()) << product->title();
        }
    }
    EXPECT_EQ(titles.size(), 36u);
    EXPECT_EQ(pageNames.size(), 36u);
    EXPECT_EQ(families, (std::map<std::string_view, int>{{"avr", 10}, {"dfu", 24}, {"swd", 2}}));
    EXPECT_EQ(factoryOnly, 10);

    // An image name can then start with at most one product's prefix.
    for (const auto& a : catalogue().products()) {
        for (const auto& b : catalogue().products()) {
            if (a != b) {
                EXPECT_FALSE(b->prefix().starts_with(a->prefix()))
                    << a->prefix() << " begins " << b->prefix();
            }
        }
    }
}

TEST(ProductCatalogueTest, DisplayOrderIsCaseInsensitiveByCodePoint) {
    const std::vector<std::string> expected = {
        "Belvox",
        "Br\u00fbve",
        "Drovel",
        "Dunmere",
        "Fennick",
        "Fosker 1U",
        "Glimmet (rev001)",
        "Glimmet (rev002)",
        "Gossam",
        "Hasko",
        "Hobblewick",
        "Ketterel",
        "Kolvane",
        "Kolvanix",
        "Lurrow Set 1U",
        "Mirrins (rev001)",
        "Mirrins (rev002)",
        "Nobbin 1U (rev001/rev002) and 3U (rev001)",
        "Nobbin 1U (rev003) and 3U (rev002)",
        "Ostrine",
        "Parvonix",
        "Parvonne (rev008 or Lower)",
        "Parvonne (rev009 or Higher)",
        "Purlane",
        "Scintel Display (rev001)",
        "Scintel Display (rev002)",
        "Tessary 1U (rev001)",
        "Tessary 1U (rev002)",
        "Vishtar 2",
        "Vump",
        "Wendrel",
        "Zembro",
        "\u00b5Mirrin II Rev011 or Higher",
        "\u00b5Nobb",
        "\u00b5Tessary",
        "\u00b5Tessary 1U",
    };
    EXPECT_EQ(catalogue().displayOrder(), expected);

    std::vector<std::string> productTitles;
    for (const auto& product : catalogue().products())
        productTitles.push_back(product->title());
    EXPECT_EQ(productTitles, expected);
}

TEST(ProductCatalogueTest, TitleLookupIsExact) {
    for (const auto& title : catalogue().displayOrder())
        EXPECT_EQ(catalogue().productWithTitle(title)->title(), title);
    EXPECT_EQ(catalogue().productWithTitle("Select a product"), nullptr);
    EXPECT_EQ(catalogue().productWithTitle("kolvane"), nullptr);
    EXPECT_EQ(catalogue().productWithTitle("Kolvane "), nullptr);
    EXPECT_EQ(catalogue().productWithTitle(""), nullptr);
    // The Greek letter mu is not the micro sign, and a decomposed û is not the precomposed one.
    EXPECT_EQ(catalogue().productWithTitle("\u03bcTessary"), nullptr);
    EXPECT_EQ(catalogue().productWithTitle("Bru\u0302ve"), nullptr);
}

TEST(ProductCatalogueTest, NameLookupTakesTitleOrPageName) {
    for (const auto& product : catalogue().products()) {
        EXPECT_EQ(catalogue().productNamed(product->title()), product);
        EXPECT_EQ(catalogue().productNamed(product->pageName()), product) << product->pageName();
    }
    EXPECT_EQ(catalogue().productNamed("uTessary")->title(), "\u00b5Tessary");
    EXPECT_EQ(catalogue().productNamed("uTessary1U")->title(), "\u00b5Tessary 1U");
    EXPECT_EQ(catalogue().productNamed("Bruve")->title(), "Br\u00fbve");
    EXPECT_EQ(catalogue().productNamed("parvonne0")->title(), "Parvonne (rev008 or Lower)");
    EXPECT_EQ(catalogue().productNamed("Tessary_1U_f4")->title(), "Tessary 1U (rev002)");
    // The prefix itself, untrimmed, is not a name, nor is anything empty or unknown.
    EXPECT_EQ(catalogue().productNamed("kolvane_"), nullptr);
    EXPECT_EQ(catalogue().productNamed(""), nullptr);
    EXPECT_EQ(catalogue().productNamed("Select a product"), nullptr);
    EXPECT_EQ(catalogue().productNamed("BRUVE"), nullptr);
}

} // namespace
} // namespace modflash
