#include "ARMProduct.h"
#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "Preferences.h"
#include "ResourceDirectory.h"
#include "TemporaryResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace modflash {
namespace {

using testing::TemporaryResources;

std::vector<std::string> versionsOf(const Product& product, const ResourceDirectory& resources) {
    std::vector<std::string> versions;
    for (const auto& firmware : product.getAllFirmware(resources))
        versions.push_back(firmware->version());
    return versions;
}

TEST(ProductFactoryTest, EachFactorySuppliesItsDefaults) {
    const auto plain = ARMProduct::productWithTitle("Wendrel", "Wendrel.");
    EXPECT_EQ(plain->address(), "0x08000000");
    EXPECT_EQ(plain->device(), "0483:df11");
    EXPECT_FALSE(plain->factoryOnly());

    const auto factory = ARMProduct::productWithTitle("Kolvanix", "Kolvanix.", true);
    EXPECT_TRUE(factory->factoryOnly());
    EXPECT_EQ(factory->address(), "0x08000000");
    EXPECT_EQ(factory->device(), "0483:df11");

    // An address written as a literal must be taken as the address, not as a factory flag.
    const auto otherAddress = ARMProduct::productWithTitle("A", "a.", "0x08004000");
    EXPECT_EQ(otherAddress->address(), "0x08004000");
    EXPECT_EQ(otherAddress->device(), "0483:df11");
    EXPECT_FALSE(otherAddress->factoryOnly());

    const auto otherDevice = ARMProduct::productWithTitle("B", "b.", "0x08004000", "1209:db42");
    EXPECT_EQ(otherDevice->address(), "0x08004000");
    EXPECT_EQ(otherDevice->device(), "1209:db42");
    EXPECT_FALSE(otherDevice->factoryOnly());

    const auto avr = AVRProduct::productWithTitle("Drovel", "drovel_", 0);
    EXPECT_FALSE(avr->factoryOnly());
    EXPECT_EQ(avr->cpu(), 0);
    EXPECT_TRUE(AVRProduct::productWithTitle("Vump", "vump_", 0, true)->factoryOnly());

    // The SWD factory takes no flag: its products are always factory-only.
    EXPECT_TRUE(ARMSWDProduct::productWithTitle("Zembro", "zembro_")->factoryOnly());
}

TEST(ProductFactoryTest, FamiliesDifferInExtensionAndName) {
    EXPECT_EQ(AVRProduct::productWithTitle("a", "a_", 1)->firmwareExtension(), "hex");
    EXPECT_EQ(ARMProduct::productWithTitle("b", "b.")->firmwareExtension(), "bin");
    EXPECT_EQ(ARMSWDProduct::productWithTitle("c", "c_")->firmwareExtension(), "bin");
    EXPECT_EQ(Product("d", "d_").firmwareExtension(), "hex");
    EXPECT_EQ(AVRProduct::productWithTitle("a", "a_", 1)->family(), "avr");
    EXPECT_EQ(ARMProduct::productWithTitle("b", "b.")->family(), "dfu");
    EXPECT_EQ(ARMSWDProduct::productWithTitle("c", "c_")->family(), "swd");
}

TEST(ProductTest, BaseProductBuildsAnEmptyCommand) {
    TemporaryResources dir;
    const ResourceDirectory resources(dir.root());
    MemoryPreferences preferences;
    const Product product("Bare", "bare_", true);
    const UpdateTask task =
        product.createUpdateTask(Firmware("/x/bare_1.hex", "bare_"), resources, preferences);
    EXPECT_TRUE(task.launchPath.empty());
    EXPECT_TRUE(task.arguments.empty());
    EXPECT_TRUE(task.environment.empty());
}

TEST(ProductTest, PageNameTrimsUnderscoresAndFullStopsAtBothEndsOnly) {
    EXPECT_EQ(Product("Kolvane", "kolvane_").pageName(), "kolvane");
    EXPECT_EQ(Product("Tessary", "Tessary_1U_f0.").pageName(), "Tessary_1U_f0");
    EXPECT_EQ(Product("x", "._x.y_._").pageName(), "x.y");
    EXPECT_EQ(Product("x", "_._").pageName(), "");
    EXPECT_EQ(Product("x", "").pageName(), "");
}

class FirmwareDiscoveryTest : public ::testing::Test {
protected:
    TemporaryResources dir;
    ResourceDirectory resources{dir.root()};
};

TEST_F(FirmwareDiscoveryTest, NoImagesWhenNothingMatchesOrTheDirectoryIsMissing) {
    const auto product = AVRProduct::productWithTitle("Kolvane", "kolvane_", 4);
    EXPECT_TRUE(product->getAllFirmware(resources).empty());
    EXPECT_FALSE(product->hasFirmware(resources));

    dir.addFirmware("drovel_1.0.hex");
    EXPECT_FALSE(product->hasFirmware(resources));
    dir.addFirmware("kolvane_1.0.hex");
    EXPECT_TRUE(product->hasFirmware(resources)); // read afresh, never cached
}

TEST_F(FirmwareDiscoveryTest, TheFamilyExtensionDecides) {
    dir.addFirmware("parvonne_1.0.bin");
    dir.addFirmware("parvonne_1.1.hex");
    dir.addFirmware("parvonne_1.2.HEX");
    dir.addFirmware("parvonne_1.3.hex.txt");
    const auto avr = AVRProduct::productWithTitle("Parvonne", "parvonne_", 1);
    EXPECT_EQ(versionsOf(*avr, resources), std::vector<std::string>{"1.1"});
    const auto arm = ARMProduct::productWithTitle("Parvonne ARM", "parvonne_");
    EXPECT_EQ(versionsOf(*arm, resources), std::vector<std::string>{"1.0"});
}

TEST_F(FirmwareDiscoveryTest, PrefixMatchesCaseSensitivelyAtTheStartOfTheNameOnly) {
    dir.addFirmware("Glimmet_f4.3.0.bin");
    dir.addFirmware("glimmet_1.2.bin");
    dir.addFirmware("xglimmet_9.bin");
    dir.addFirmware("parvonne0_1.0.hex");
    dir.addFirmware("xparvonne_1.0.hex");
    // A directory that looks like an image is no image.
    dir.addDirectory("firmware/glimmet_dir.bin");

    const auto rev1 = ARMProduct::productWithTitle("Glimmet (rev001)", "glimmet_");
    const auto rev2 = ARMProduct::productWithTitle("Glimmet (rev002)", "Glimmet_f4.");
    EXPECT_EQ(versionsOf(*rev1, resources), std::vector<std::string>{"1.2"});
    EXPECT_EQ(versionsOf(*rev2, resources), std::vector<std::string>{"3.0"});

    const auto low = AVRProduct::productWithTitle("Parvonne (rev008 or Lower)", "parvonne0_", 1);
    const auto high = AVRProduct::productWithTitle("Parvonne (rev009 or Higher)", "parvonne_", 1);
    EXPECT_EQ(versionsOf(*low, resources), std::vector<std::string>{"1.0"});
    EXPECT_FALSE(high->hasFirmware(resources));
}

TEST_F(FirmwareDiscoveryTest, ImagesAreSortedByCodePointNotByNumberOrCase) {
    for (const char* name : {"Kolvanix.2.0.bin", "Kolvanix.10.0.bin", "Wendrel.a1.bin",
                             "Wendrel.B1.bin", "Wendrel.\u00e91.bin", "Wendrel.z1.bin"})
        dir.addFirmware(name);
    dir.addFirmware("kolvane_1.0.hex");
    dir.addFirmware("kolvane_1.0-rc1.hex");

    const auto kolvanix = ARMProduct::productWithTitle("Kolvanix", "Kolvanix.", true);
    EXPECT_EQ(versionsOf(*kolvanix, resources), (std::vector<std::string>{"10.0", "2.0"}));
    const auto wendrel = ARMProduct::productWithTitle("Wendrel", "Wendrel.");
    EXPECT_EQ(versionsOf(*wendrel, resources),
              (std::vector<std::string>{"B1", "a1", "z1", "\u00e91"}));
    const auto kolvane = AVRProduct::productWithTitle("Kolvane", "kolvane_", 4, true);
    EXPECT_EQ(versionsOf(*kolvane, resources), (std::vector<std::string>{"1.0-rc1", "1.0"}));

    const auto images = kolvane->getAllFirmware(resources);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0]->path(), (dir.root() / "firmware" / "kolvane_1.0-rc1.hex").string());
}

} // namespace
} // namespace modflash
