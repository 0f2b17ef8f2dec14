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

const ProductCatalogue& catalogue() {
    static const ProductCatalogue instance;
    return instance;
}

TEST(ProductCatalogueTest, TableInvariants) {
    ASSERT_EQ(catalogue().size(), 36u);
    std::map<std::string_view, int> families;
    std::set<std::string> titles, pageNames;
    int factoryOnly = 0;
    for (const auto& product : catalogue().products()) {
        SCOPED_TRACE(product->title());
        ++families[product->family()];
        factoryOnly += product->factoryOnly();
        titles.insert(product->title());
        pageNames.insert(product->pageName());
        if (product->family() == "swd") {
            EXPECT_TRUE(product->factoryOnly());
        }
        // Every DFU row carries the factory defaults; the SWD rows are no kind of DFU product.
        const auto* arm = dynamic_cast<const ARMProduct*>(product.get());
        EXPECT_EQ(arm != nullptr, product->family() == "dfu");
        if (arm) {
            EXPECT_EQ(arm->address() + " " + arm->device(), "0x08000000 0483:df11");
        }
        if (const auto* avr = dynamic_cast<const AVRProduct*>(product.get())) {
            EXPECT_TRUE(avr->cpu() >= 0 && avr->cpu() <= 4);
        }
        // An image name can then start with at most one product's prefix.
        for (const auto& other : catalogue().products()) {
            if (other != product) {
                EXPECT_FALSE(other->prefix().starts_with(product->prefix())) << other->prefix();
            }
        }
    }
    EXPECT_EQ(titles.size(), 36u);
    EXPECT_EQ(pageNames.size(), 36u);
    EXPECT_EQ(families, (std::map<std::string_view, int>{{"avr", 10}, {"dfu", 24}, {"swd", 2}}));
    EXPECT_EQ(factoryOnly, 10);
}

TEST(ProductCatalogueTest, RowsKeepTheirOwnersValues) {
    const auto kolvane = catalogue().productWithTitle("Kolvane");
    EXPECT_EQ(kolvane->prefix(), "kolvane_");
    EXPECT_TRUE(kolvane->factoryOnly());
    EXPECT_EQ(dynamic_cast<const AVRProduct&>(*kolvane).cpu(), 4);
    const auto low = catalogue().productWithTitle("Parvonne (rev008 or Lower)");
    EXPECT_EQ(low->prefix(), "parvonne0_");
    EXPECT_EQ(dynamic_cast<const AVRProduct&>(*low).cpu(), 1);
    EXPECT_EQ(catalogue().productWithTitle("Tessary 1U (rev002)")->prefix(), "Tessary_1U_f4.");
    EXPECT_EQ(catalogue().productWithTitle("Br\u00fbve")->prefix(), "Bruve.");
    EXPECT_EQ(catalogue().productWithTitle("Hobblewick")->family(), "swd");
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

TEST(ProductCatalogueTest, LookupTakesTheExactTitleOrThePageName) {
    for (const auto& product : catalogue().products()) {
        EXPECT_EQ(catalogue().productWithTitle(product->title()), product);
        EXPECT_EQ(catalogue().productNamed(product->title()), product);
        EXPECT_EQ(catalogue().productNamed(product->pageName()), product) << product->pageName();
    }
    EXPECT_EQ(catalogue().productNamed("uTessary1U")->title(), "\u00b5Tessary 1U");
    // Case, spaces, the Greek mu, a decomposed û, the untrimmed prefix: none is a name.
    for (const char* name :
         {"kolvane", "Kolvane ", "", "Select a product", "\u03bcTessary", "Bru\u0302ve"})
        EXPECT_EQ(catalogue().productWithTitle(name), nullptr) << name;
    for (const char* name : {"kolvane_", "", "BRUVE"})
        EXPECT_EQ(catalogue().productNamed(name), nullptr) << name;
}

} // namespace
} // namespace modflash
