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
    const auto factory = ARMProduct::productWithTitle("Kolvanix", "Kolvanix.", true);
    EXPECT_TRUE(factory->factoryOnly());
    EXPECT_EQ(factory->address() + " " + factory->device(), "0x08000000 0483:df11");
    // An address written as a literal must be taken as the address, not as a factory flag.
    const auto otherAddress = ARMProduct::productWithTitle("A", "a.", "0x08004000");
    EXPECT_EQ(otherAddress->address() + " " + otherAddress->device(), "0x08004000 0483:df11");
    EXPECT_FALSE(otherAddress->factoryOnly());
    const auto otherDevice = ARMProduct::productWithTitle("B", "b.", "0x08004000", "1209:db42");
    EXPECT_EQ(otherDevice->device(), "1209:db42");
    EXPECT_FALSE(AVRProduct::productWithTitle("Drovel", "drovel_", 0)->factoryOnly());
    // The SWD factory takes no flag: its products are always factory-only.
    EXPECT_TRUE(ARMSWDProduct::productWithTitle("Zembro", "zembro_")->factoryOnly());
}

TEST(ProductFactoryTest, FamiliesDifferInExtensionAndName) {
    const ProductPtr products[] = {AVRProduct::productWithTitle("a", "a_", 1),
                                   ARMProduct::productWithTitle("b", "b."),
                                   ARMSWDProduct::productWithTitle("c", "c_")};
    EXPECT_EQ(std::string(products[0]->family()) + products[0]->firmwareExtension(), "avrhex");
    EXPECT_EQ(std::string(products[1]->family()) + products[1]->firmwareExtension(), "dfubin");
    EXPECT_EQ(std::string(products[2]->family()) + products[2]->firmwareExtension(), "swdbin");

    // The plain product flashes nothing.
    TemporaryResources dir;
    MemoryPreferences preferences;
    const UpdateTask task = Product("Bare", "bare_")
                                .createUpdateTask(Firmware("/x/bare_1.hex", "bare_"),
                                                  ResourceDirectory(dir.root()), preferences);
    EXPECT_TRUE(task.launchPath.empty() && task.arguments.empty() && task.environment.empty());
}

TEST(ProductTest, PageNameTrimsUnderscoresAndFullStopsAtBothEndsOnly) {
    EXPECT_EQ(Product("Tessary", "Tessary_1U_f0.").pageName(), "Tessary_1U_f0");
    EXPECT_EQ(Product("x", "._x.y_._").pageName(), "x.y");
    EXPECT_EQ(Product("x", "_._").pageName(), "");
}

class FirmwareDiscoveryTest : public ::testing::Test {
protected:
    TemporaryResources dir;
    ResourceDirectory resources{dir.root()};
};

TEST_F(FirmwareDiscoveryTest, MatchesPrefixCaseSensitivelyAtTheStartAndTheFamilyExtension) {
    const auto kolvane = AVRProduct::productWithTitle("Kolvane", "kolvane_", 4);
    EXPECT_FALSE(kolvane->hasFirmware(resources)); // no firmware directory at all
    for (const char* name :
         {"Glimmet_f4.3.0.bin", "glimmet_1.2.bin", "xglimmet_9.bin", "glimmet_1.3.hex",
          "parvonne0_1.0.hex", "parvonne0_1.1.HEX", "parvonne0_1.2.hex.txt", "xparvonne_1.0.hex"})
        dir.addFirmware(name);
    dir.addDirectory("firmware/glimmet_dir.bin"); // a directory is no image
    EXPECT_EQ(versionsOf(*ARMProduct::productWithTitle("G1", "glimmet_"), resources),
              std::vector<std::string>{"1.2"});
    EXPECT_EQ(versionsOf(*ARMProduct::productWithTitle("G2", "Glimmet_f4."), resources),
              std::vector<std::string>{"3.0"});
    EXPECT_EQ(versionsOf(*AVRProduct::productWithTitle("P0", "parvonne0_", 1), resources),
              std::vector<std::string>{"1.0"});
    EXPECT_FALSE(AVRProduct::productWithTitle("P", "parvonne_", 1)->hasFirmware(resources));

    dir.addFirmware("kolvane_1.0.hex");
    EXPECT_TRUE(kolvane->hasFirmware(resources)); // read afresh, never cached
}

TEST_F(FirmwareDiscoveryTest, ImagesAreSortedByCodePointNotByNumberOrCase) {
    for (const char* name : {"Kolvanix.2.0.bin", "Kolvanix.10.0.bin", "Wendrel.a1.bin",
                             "Wendrel.B1.bin", "Wendrel.\u00e91.bin", "Wendrel.z1.bin"})
        dir.addFirmware(name);
    const auto kolvanix = ARMProduct::productWithTitle("Kolvanix", "Kolvanix.", true);
    EXPECT_EQ(versionsOf(*kolvanix, resources), (std::vector<std::string>{"10.0", "2.0"}));
    const auto wendrel = ARMProduct::productWithTitle("Wendrel", "Wendrel.");
    EXPECT_EQ(versionsOf(*wendrel, resources),
              (std::vector<std::string>{"B1", "a1", "z1", "\u00e91"}));
    EXPECT_EQ(kolvanix->getAllFirmware(resources)[0]->path(),
              (dir.root() / "firmware" / "Kolvanix.10.0.bin").string());
}

} // namespace
} // namespace modflash
