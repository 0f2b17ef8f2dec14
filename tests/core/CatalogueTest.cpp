// SPDX-License-Identifier: GPL-3.0-or-later
// Products, their firmware images and the catalogue table.
#include "Golden.h"
#include "TemporaryResources.h"
#include "catalogue/ARMProduct.h"
#include "catalogue/AVRProduct.h"
#include "catalogue/ImageListing.h"
#include "catalogue/ProductCatalogue.h"
#include "catalogue/TitleOrder.h"
#include "flashing/FamilyProfile.h"
#include "flashing/Preferences.h"
#include "flashing/ResourceDirectory.h"

#include <random>
#include <set>

namespace modflash {
namespace {

using testing::TemporaryResources;

const ProductCatalogue& catalogue() {
    static const ProductCatalogue instance;
    return instance;
}

// "left | right": what the part before " | " is and what follows it.
std::pair<std::string, std::string> halves(const std::string& input) {
    const auto bar = input.find(" | ");
    return {input.substr(0, bar), bar == std::string::npos ? "" : input.substr(bar + 3)};
}

TEST(Firmware, VersionIsTheFileNameWithoutItsLastExtensionAndEveryPrefix) {
    testing::expectEachLineMaps("versions.txt", 11, [](const std::string& input) {
        const auto [path, prefix] = halves(input);
        return "\"" + Firmware(path, prefix).version() + "\"";
    });
}

TEST(Product, ListsItsOwnImagesInCodePointOrderReadingTheDirectoryAfresh) {
    TemporaryResources dir;
    const ResourceDirectory resources(dir.root());
    const auto parvonne = AVRProduct::productWithTitle("P", "parvonne_", 1);
    EXPECT_FALSE(parvonne->hasFirmware(resources));
    for (const char* name :
         {"parvonne_2.0.hex", "parvonne_10.0.hex", "parvonne_1.1.hex", "parvonne0_1.0.hex",
          "Parvonne_3.0.hex", "parvonne_4.0.HEX", "parvonne_5.0.bin", "parvonne_.hex.bak",
          "x_parvonne_6.0.hex", "parvonne_\xff.hex", "parvonne_0.9.hex"})
        dir.addFirmware(name);
    dir.addDirectory("firmware/parvonne_7.0.hex");
    std::vector<std::string> leftOut, versions;
    for (const auto& firmware : parvonne->getAllFirmware(resources, &leftOut))
        versions.push_back(firmware->version() + " " +
                           firmware->path().substr(dir.root().string().size()));
    EXPECT_EQ(versions, (std::vector<std::string>{
                            "0.9 /firmware/parvonne_0.9.hex", "1.1 /firmware/parvonne_1.1.hex",
                            "10.0 /firmware/parvonne_10.0.hex", "2.0 /firmware/parvonne_2.0.hex"}));
    // A name that is not UTF-8 could be neither shown nor handed on as it is.
    EXPECT_EQ(leftOut, std::vector<std::string>{"parvonne_\xff.hex"});
    std::filesystem::remove(dir.root() / "firmware/parvonne_0.9.hex");
    EXPECT_EQ(parvonne->getAllFirmware(resources).front()->version(), "1.1");
    // The bundled listing wants the exact extension; a file a person picks, any letter case.
    EXPECT_TRUE(parvonne->profile().acceptsFileName("/x/UP.HEX"));
    EXPECT_FALSE(parvonne->profile().acceptsFileName("/x.hex/up.bin"));
    EXPECT_FALSE(parvonne->profile().acceptsFileName("/x/.hex"));
    // The one-scan listing's rule: only the last extension, never a hidden file's name.
    EXPECT_TRUE(ResourceDirectory::nameHasType("x.tar.bin", "bin"));
    EXPECT_FALSE(ResourceDirectory::nameHasType("x.tar.bin", "tar.bin"));
    EXPECT_FALSE(ResourceDirectory::nameHasType(".bin", "bin"));
}

// The one-scan listing must answer and count as each product's own listing does, in any order
// of questions, over any directory.
TEST(ImageListing, AgreesWithEveryProductsOwnListingAndCount) {
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
            const bool has = product->hasFirmware(resources);
            EXPECT_EQ(listing.hasFirmware(*product), has);
            EXPECT_EQ(listing.offers(*product, false), has && !product->factoryOnly());
            EXPECT_EQ(listing.offers(*product, true), has);
            EXPECT_EQ(listing.imageCount(*product), product->getAllFirmware(resources).size());
        }
    }
}

// Every letter of the table is what people see and name their images by: the golden file shows
// it for review, the code checks what must hold of any table.
TEST(Catalogue, TableAndItsInvariants) {
    std::set<std::string> titles, pageNames;
    std::string table;
    for (const auto& product : catalogue().products()) {
        SCOPED_TRACE(product->title());
        table += product->title() + " | " + product->prefix() + " | " + product->pageName() +
                 " | " + product->profile().name() + " | " + product->chipName() +
                 (product->factoryOnly() ? " | factory only\n" : "\n");
        titles.insert(product->title());
        pageNames.insert(product->pageName());
        EXPECT_EQ(catalogue().productWithTitle(product->title()), product);
        EXPECT_EQ(catalogue().productNamed(product->pageName()), product);
        // An image name can then start with at most one product's prefix.
        for (const auto& other : catalogue().products())
            EXPECT_TRUE(other == product || !other->prefix().starts_with(product->prefix()));
    }
    testing::expectMatchesGolden("catalogue.txt", table);
    EXPECT_EQ(titles.size() + pageNames.size(), 2 * catalogue().size());
    for (const char* name : {"kolvane", "Kolvane ", "", "Select a product", "\u03bcTessary"})
        EXPECT_EQ(catalogue().productWithTitle(name), nullptr) << name;
    const auto& order = catalogue().displayOrder();
    ASSERT_EQ(order.size(), catalogue().size());
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        EXPECT_LT(compareCaseInsensitive(order[i], order[i + 1]), 0) << order[i];
}

// Each range's first and last letter folds and its neighbours do not; a byte that starts no
// character stands for itself, and each length of character orders by its code point.
TEST(TitleOrder, FoldsLetterCaseOnlyAndOrdersByCodePoint) {
    testing::expectEachLineMaps("title-order.txt", 39, [](const std::string& input) {
        const auto [left, right] = halves(input);
        const int order = compareCaseInsensitive(left, right);
        EXPECT_EQ(compareCaseInsensitive(right, left), -order) << input;
        return order < 0 ? "<" : order > 0 ? ">" : "=";
    });
    // A leading part comes first by its length alone, whatever lies after it in memory.
    const std::string_view vishtar = std::string_view("Vishtar~").substr(0, 7);
    EXPECT_LT(compareCaseInsensitive(vishtar, "Vishtar 2"), 0);
    EXPECT_GT(compareCaseInsensitive("Vishtar 2", vishtar), 0);
}

TEST(Product, FactoriesSupplyTheirDefaultsAndFamilies) {
    const auto describe = [](const auto& p) {
        return p->address() + " " + p->device() + (p->factoryOnly() ? " f" : "");
    };
    EXPECT_EQ(describe(ARMProduct::productWithTitle("K", "K.", true)), "0x08000000 0483:df11 f");
    // An address written as a literal is the address, not a factory flag.
    EXPECT_EQ(describe(ARMProduct::productWithTitle("A", "a.", "0x08004000")),
              "0x08004000 0483:df11");
    EXPECT_EQ(describe(ARMProduct::productWithTitle("B", "b.", "0x1", "1209:db42")),
              "0x1 1209:db42");
    EXPECT_EQ(ARMProduct::productWithTitle("x", "._x.y_._")->pageName() +
                  ARMProduct::productWithTitle("x", "_._")->pageName(),
              "x.y");
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
    EXPECT_EQ(std::pair(preferences.boolForKey("b"), preferences.boolForKey("absent")),
              std::pair(false, false));
    for (const char* text : {"true", "YES", "1", "2", "false", "no", "0", ""})
        EXPECT_EQ(Preferences::toBool(std::string(text)),
                  std::string("tY12").find(text[0]) != std::string::npos)
            << text;
}

} // namespace
} // namespace modflash
