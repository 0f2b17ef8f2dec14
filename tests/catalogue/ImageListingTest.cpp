#include "ImageListing.h"

#include "Product.h"
#include "ProductCatalogue.h"
#include "ResourceDirectory.h"
#include "TemporaryResources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace modflash {
namespace {

using testing::TemporaryResources;

// The one read a product list refresh makes must answer as every product's own listing would.
TEST(ImageListingTest, AnswersAsEachProductsOwnListingDoes) {
    TemporaryResources dir;
    const ResourceDirectory resources(dir.root());
    const auto drovel = ProductCatalogue().productWithTitle("Drovel");
    const ImageListing beforeAnyImage(resources);
    for (const char* name :
         {"parvonne_1.0.hex", "parvonne0_1.0.bin", "drovel_1.0.HEX", "drovel_.hex.txt",
          "Wendrel.hex", "Wendrel..bin", "zembro_1.0.tar.bin", "xkolvane_1.0.hex", ".hex",
          "kolvane_", "uTessary1U_1.bin", "Tessary_1U_f0.bin"})
        dir.addFirmware(name);
    dir.addDirectory("firmware/Gossam.1.bin");
    const auto image = dir.addFile("elsewhere/fennick.bin");
    const auto firmware = dir.root() / "firmware";
    std::filesystem::create_symlink(image, firmware / "Fennick.1.bin");
    std::filesystem::create_symlink(dir.root() / "gone", firmware / "Hasko_1.bin");
    std::filesystem::create_symlink(firmware / "Gossam.1.bin", firmware / "Belvox.1.bin");

    const ImageListing listing(resources);
    int withImages = 0;
    for (const ProductPtr& product : ProductCatalogue().products()) {
        EXPECT_EQ(listing.hasFirmware(*product), product->hasFirmware(resources))
            << product->title();
        withImages += listing.hasFirmware(*product) ? 1 : 0;
    }
    // Parvonne (rev009), Zembro, Wendrel, µTessary 1U, Tessary 1U (rev001), Fennick.
    EXPECT_EQ(withImages, 6);
    // The listing reads only as far as a question needs; asked in another order, it reads
    // in other steps and must answer the same.
    const std::vector<ProductPtr> products = ProductCatalogue().products();
    const ImageListing backwards(resources);
    for (auto product = products.rbegin(); product != products.rend(); ++product)
        EXPECT_EQ(backwards.hasFirmware(**product), (*product)->hasFirmware(resources))
            << (*product)->title();

    // A listing is one read: images added later show only in a new listing.
    dir.addFirmware("drovel_1.0.hex");
    EXPECT_FALSE(beforeAnyImage.hasFirmware(*drovel));
    EXPECT_TRUE(ImageListing(resources).hasFirmware(*drovel));
}

} // namespace
} // namespace modflash
