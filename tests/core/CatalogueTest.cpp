// SPDX-License-Identifier: GPL-3.0-or-later
// Products, their firmware images and the catalogue table.
#include "ARMProduct.h"
#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "FamilyProfile.h"
#include "ImageListing.h"
#include "Preferences.h"
#include "ProductCatalogue.h"
#include "ResourceDirectory.h"
#include "TemporaryResources.h"
#include "TitleOrder.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace modflash {
namespace {

using testing::TemporaryResources;

const ProductCatalogue& catalogue() {
    static const ProductCatalogue instance;
    return instance;
}

std::vector<std::string> versionsOf(const Product& product, const ResourceDirectory& resources) {
    std::vector<std::string> versions;
    for (const auto& firmware : product.getAllFirmware(resources))
        versions.push_back(firmware->version());
    return versions;
}

TEST(Firmware, VersionIsTheFileNameWithoutItsLastExtensionAndEveryPrefix) {
    const struct {
        const char* path;
        const char* prefix;
        const char* version;
    } cases[] = {
        {"/r/firmware/kolvane_1.2.hex", "kolvane_", "1.2"},
        {"/r/firmware/Wendrel.1.4.2.bin", "Wendrel.", "1.4.2"},
        {"/r/firmware/parvonne_2.0_parvonne_beta.hex", "parvonne_", "2.0_beta"},
        {"/r/firmware/Wendrel.2.0.tar.bin", "Wendrel.", "2.0.tar"},
        {"/r/firmware/kolvane_.hex", "kolvane_", ""},
        {"/r/kolvane_/kolvane_1.0.hex", "kolvane_", "1.0"},
        {"/home/user/builds/bench-build.r7.hex", "", "bench-build.r7"},
        {"/r/firmware/Kolvane_1.0.hex", "kolvane_", "Kolvane_1.0"},
        {"/r/firmware/.hex", "", ".hex"},
        {"/r/firmware/noext/", "", "noext"},
        {"aaaa.bin", "aa", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Firmware(c.path, c.prefix).version(), c.version) << c.path;
}

TEST(Product, ListsItsOwnImagesInCodePointOrderReadingTheDirectoryAfresh) {
    TemporaryResources dir;
    const ResourceDirectory resources(dir.root());
    const auto parvonne = AVRProduct::productWithTitle("P", "parvonne_", 1);
    EXPECT_FALSE(parvonne->hasFirmware(resources));
    for (const char* name :
         {"parvonne_2.0.hex", "parvonne_10.0.hex", "parvonne_1.1.hex", "parvonne0_1.0.hex",
          "Parvonne_3.0.hex", "parvonne_4.0.HEX", "parvonne_5.0.bin", "parvonne_.hex.bak",
          "x_parvonne_6.0.hex", "parvonne_\xff.hex"})
        dir.addFirmware(name);
    dir.addDirectory("firmware/parvonne_7.0.hex");
    std::vector<std::string> leftOut;
    const auto images = parvonne->getAllFirmware(resources, &leftOut);
    EXPECT_EQ(versionsOf(*parvonne, resources), (std::vector<std::string>{"1.1", "10.0", "2.0"}));
    EXPECT_EQ(images.front()->path(), (dir.root() / "firmware/parvonne_1.1.hex").string());
    // A name that is not UTF-8 could be neither shown nor handed on as it is.
    EXPECT_EQ(leftOut, std::vector<std::string>{"parvonne_\xff.hex"});
    dir.addFirmware("parvonne_0.9.hex");
    EXPECT_EQ(versionsOf(*parvonne, resources).front(), "0.9");
    // The bundled listing wants the exact extension; a file a person picks, any letter case.
    EXPECT_TRUE(parvonne->profile().acceptsFileName("/x/UP.HEX"));
    EXPECT_FALSE(parvonne->profile().acceptsFileName("/x.hex/up.bin"));
    EXPECT_FALSE(parvonne->profile().acceptsFileName("/x/.hex"));
}

// The window's one-scan listing must answer as each product's own listing does, in any order
// of questions, over any directory.
TEST(ImageListing, AgreesWithEveryProductsOwnListing) {
    std::mt19937 random(7);
    const char* pieces[] = {"Wendrel.", "kolvane_", "drovel_", "zembro_", "x", ".bin",
                            ".hex",     ".HEX",     "1.0",     "\xc3",    "_", "parvonne0_"};
    for (int round = 0; round < 20; ++round) {
        TemporaryResources dir;
        for (int file = 0; file < 12; ++file) {
            std::string name;
            for (int piece = 0; piece < 3; ++piece)
                name += pieces[random() % std::size(pieces)];
            dir.addFirmware(name);
        }
        const ResourceDirectory resources(dir.root());
        auto products = catalogue().products();
        std::shuffle(products.begin(), products.end(), random);
        const ImageListing listing(resources);
        for (const auto& product : products) {
            EXPECT_EQ(listing.hasFirmware(*product), product->hasFirmware(resources));
            EXPECT_EQ(listing.offers(*product, false),
                      product->hasFirmware(resources) && !product->factoryOnly());
            EXPECT_EQ(listing.offers(*product, true), product->hasFirmware(resources));
        }
    }
}

TEST(Catalogue, TableInvariants) {
    ASSERT_EQ(catalogue().size(), 36u);
    std::set<std::string> titles, pageNames;
    for (const auto& product : catalogue().products()) {
        SCOPED_TRACE(product->title());
        titles.insert(product->title());
        pageNames.insert(product->pageName());
        EXPECT_EQ(catalogue().productWithTitle(product->title()), product);
        EXPECT_EQ(catalogue().productNamed(product->pageName()), product);
        // An image name can then start with at most one product's prefix.
        for (const auto& other : catalogue().products()) {
            if (other != product) {
                EXPECT_FALSE(other->prefix().starts_with(product->prefix())) << other->prefix();
            }
        }
    }
    EXPECT_EQ(titles.size() + pageNames.size(), 72u);
    // Every letter of the table (what people see and name their images by) is checked through
    // modflash-cli's listing, against a reviewed copy.
    EXPECT_EQ(catalogue().productNamed("uTessary1U")->title(), "\u00b5Tessary 1U");
    for (const char* name : {"kolvane", "Kolvane ", "", "Select a product", "\u03bcTessary"})
        EXPECT_EQ(catalogue().productWithTitle(name), nullptr) << name;
}

TEST(Catalogue, DisplayOrderIsEveryTitleSortedByFoldedCodePoints) {
    const auto& order = catalogue().displayOrder();
    ASSERT_EQ(order.size(), 36u);
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        EXPECT_LT(compareCaseInsensitive(order[i], order[i + 1]), 0) << order[i];
}

// Each range's first and last letter folds and its neighbours do not; a byte that starts no
// character stands for itself, and each length of character orders by its code point.
TEST(TitleOrder, FoldsLetterCaseOnlyAndOrdersByCodePoint) {
    const std::vector<std::string> ascending = {
        "",          "Nobbin1", "Nobbin_", "parvonne", "PARVONNE (rev009)", "Vishtar 1",
        "Vishtar 2", "Zembro",  "\u0080",  "\x81",     "\u00b5Tessary",     "\u00e9",
        "\u0101",    "\u0800",  "\u4e00",  "\uffff",   "\U00010000",        "\U0001F600"};
    for (std::size_t i = 0; i + 1 < ascending.size(); ++i) {
        EXPECT_LT(compareCaseInsensitive(ascending[i], ascending[i + 1]), 0) << ascending[i];
        EXPECT_GT(compareCaseInsensitive(ascending[i + 1], ascending[i]), 0) << ascending[i];
    }
    // Pairs of titles written "left right".
    const auto compareHalves = [](std::string_view pair) {
        const auto space = pair.find(' ');
        return compareCaseInsensitive(pair.substr(0, space), pair.substr(space + 1));
    };
    for (const char* same :
         {"Br\u00fbve BR\u00dbVE", "\u0141\u00f3d\u017a \u0142\u00d3D\u0179", "\u0178 \u00ff",
          "AZ\u00c0\u00d6\u00d8\u00de\u0100\u012e\u0139\u0147\u014a\u0176\u0179\u017d "
          "az\u00e0\u00f6\u00f8\u00fe\u0101\u012f\u013a\u0148\u014b\u0177\u017a\u017e",
          "\u0391\u03a1\u03a3\u03ab\u0410\u042f\u0400\u040f "
          "\u03b1\u03c1\u03c3\u03cb\u0430\u044f\u0450\u045f"})
        EXPECT_EQ(compareHalves(same), 0) << same;
    for (const char* other : {"\u00df ss", "\u00b5 u", "a\xc3 a\x80", "\u00d7 \u00f7", "@[ `{",
                              "\u00bf \u00df", "\u00df \u00ff", "\u0180 \u0181", "\u0390 \u03b0",
                              "\u03ac \u03cc", "\u03a2 \u03c2", "\u0430 \u0450", "\u03ff \u044f"})
        EXPECT_NE(compareHalves(other), 0) << other;
}

TEST(Product, FactoriesSupplyTheirDefaultsAndFamilies) {
    const auto kolvanix = ARMProduct::productWithTitle("Kolvanix", "Kolvanix.", true);
    EXPECT_TRUE(kolvanix->factoryOnly());
    EXPECT_EQ(kolvanix->address() + " " + kolvanix->device(), "0x08000000 0483:df11");
    // An address written as a literal is the address, not a factory flag.
    const auto moved = ARMProduct::productWithTitle("A", "a.", "0x08004000");
    EXPECT_EQ(moved->address() + " " + moved->device() + (moved->factoryOnly() ? " f" : ""),
              "0x08004000 0483:df11");
    EXPECT_EQ(ARMProduct::productWithTitle("B", "b.", "0x1", "1209:db42")->device(), "1209:db42");
    EXPECT_TRUE(ARMSWDProduct::productWithTitle("Zembro", "zembro_")->factoryOnly());
    EXPECT_FALSE(AVRProduct::productWithTitle("Drovel", "drovel_", 0)->factoryOnly());
    EXPECT_EQ(Product("x", "._x.y_._").pageName(), "x.y");
    EXPECT_EQ(Product("x", "_._").pageName(), "");
    // The plain product has no family and flashes nothing.
    const Product bare("Bare", "bare_");
    EXPECT_EQ(bare.firmwareExtension() + bare.profile().name(), "hex");
    EXPECT_EQ(
        bare.createUpdateTask(Firmware("/b.hex", ""), ResourceDirectory("/"), MemoryPreferences()),
        UpdateTask{});
    EXPECT_FALSE(bare.requiredDevice(MemoryPreferences()).has_value());
}

TEST(ResourceDirectory, LooksUpNamesAndPagesAtItsTopOnly) {
    TemporaryResources dir;
    dir.addFile("avrdude.conf");
    dir.addFile("instructions/kolvane.html");
    dir.addFile("instructions/sub/x.html");
    const ResourceDirectory resources(dir.root() / "." / "");
    EXPECT_EQ(resources.resourcePath(), dir.root().string());
    EXPECT_EQ(resources.pathForResource("avrdude", "conf"), (dir.root() / "avrdude.conf").string());
    EXPECT_FALSE(resources.pathForResource("avrdude"));
    EXPECT_FALSE(resources.pathForResource(""));
    EXPECT_TRUE(resources.instructionsPage("kolvane"));
    EXPECT_FALSE(resources.instructionsPage("sub/x"));
    EXPECT_FALSE(resources.instructionsPage("Kolvane"));
    std::filesystem::create_symlink("/nonexistent/avrdude", dir.root() / "avrdude");
    EXPECT_FALSE(resources.pathForResource("avrdude")); // a dangling tool link is no tool
}

TEST(Preferences, StoredValuesWinOverRegisteredDefaultsThatAreNeverStored) {
    MemoryPreferences preferences;
    preferences.registerDefaults({{"a", std::string("default")}, {"b", true}});
    EXPECT_EQ(preferences.stringForKey("a"), "default");
    EXPECT_TRUE(preferences.boolForKey("b"));
    EXPECT_TRUE(preferences.stored().empty());
    preferences.setString("a", "mine");
    preferences.setBool("b", false);
    EXPECT_EQ(preferences.stringForKey("a"), "mine");
    EXPECT_FALSE(preferences.boolForKey("b"));
    EXPECT_FALSE(preferences.boolForKey("absent"));
    for (const char* yes : {"true", "YES", "1", "2"})
        EXPECT_TRUE(Preferences::toBool(std::string(yes))) << yes;
    for (const char* no : {"false", "no", "0", ""})
        EXPECT_FALSE(Preferences::toBool(std::string(no))) << no;
}

} // namespace
} // namespace modflash
