// SPDX-License-Identifier: GPL-3.0-or-later
// What the connected module is: the AVR chip table, the signature in avrdude 7.1's output and the
// module check's verdict on it, and the memory layout a DFU boot loader describes.
// The outputs are in tests/data/core/avrdude-signature, whose README says what each shows.
#include "flashing/ModuleCheck.h"

#include "Golden.h"
#include "catalogue/AVRProduct.h"
#include "catalogue/ProductCatalogue.h"
#include "flashing/DfuseLayout.h"

#include <cstdio>
#include <filesystem>
#include <set>

namespace modflash {
namespace {

std::vector<AvrProductChip> avrProducts() {
    std::vector<AvrProductChip> products;
    for (const ProductPtr& product : ProductCatalogue().products())
        if (const auto* avr = dynamic_cast<const AVRProduct*>(product.get()))
            products.push_back({avr->title(), avr->chip()});
    return products;
}

std::string transcript(const ModuleCheck::Result& result) {
    return (result.fits ? "fits" : "refused") +
           (result.found.empty() ? "" : ", found " + result.found) +
           (result.reason.empty() ? "" : ": " + result.reason) + "\n";
}

// Each chip as the datasheets have it (its part and fuses are in the avrdude command's check);
// then each output, the reading it gives, and the module check's verdict on it for a product of
// the catalogue, named in the order its list shows them. That the reading is the same however
// the output is cut is the avr_signature fuzz target's, over these outputs.
TEST(ModuleCheck, readsTheSignatureAndFitsAnyVariantOfTheChip) {
    std::string text = "== the chip table\n";
    for (const AvrChip& chip : AvrChips::all()) {
        text += std::string(chip.name) + ", " + std::to_string(chip.flashSize) + " bytes:";
        for (const AvrChipVariant& variant : chip.variants) {
            text += " " + signatureText(variant.signature) + " " + std::string(variant.name) + ";";
            const auto match = AvrChips::withSignature(variant.signature);
            ASSERT_TRUE(match);
            EXPECT_EQ(std::pair(match->chip, match->variant), std::pair(&chip, &variant));
        }
        text += "\n";
    }
    EXPECT_FALSE(AvrChips::withSignature({0x1E, 0x93, 0x0F}));

    const auto products = avrProducts();
    std::set<std::filesystem::path> files = {
        std::string(MODFLASH_TOOL_OUTPUT_DIR) + "/avrdude-7.1-usbtiny-no-device.txt",
        std::string(MODFLASH_TOOL_OUTPUT_DIR) + "/avrdude-7.1-usbasp-no-device.txt"};
    for (const auto& entry : std::filesystem::directory_iterator(std::string(MODFLASH_GOLDEN_DIR) +
                                                                 "/avrdude-signature"))
        if (entry.path().extension() == ".txt")
            files.insert(entry.path());
    EXPECT_EQ(files.size(), 18u);
    static const char* const outcomes[] = {"read",      "blank",        "no programmer",
                                           "no answer", "not reported", "conflicting"};
    for (const auto& file : files) {
        const std::string name = file.filename().string(), output = testing::readFile(file);
        const AvrSignatureReading reading = AvrSignatureReader::read(output);
        text += "== " + name + ": " + outcomes[static_cast<int>(reading.outcome)] + " " +
                signatureText(reading.signature) + " part \"" + reading.probablePart +
                "\" message \"" + reading.message + "\"\n";
        for (const auto& product : {products[0], products[2], products[4]})
            text +=
                product.title + ": " + transcript(ModuleCheck::check(reading, product, products));
    }
    text +=
        "== signatures already read, for " + products[0].title + "\n" +
        transcript(ModuleCheck::check(AvrSignatureBytes{0x1E, 0x94, 0x0B}, products[0], products)) +
        transcript(ModuleCheck::check(AvrSignatureBytes{0, 0, 0}, products[0], products));
    // Without Drovel and its siblings, an ATmega168 belongs to no product.
    const std::vector<AvrProductChip> tinies(products.begin() + 1, products.begin() + 4);
    text +=
        "== an ATmega168 for " + products[2].title + " among the ATtiny products only\n" +
        transcript(ModuleCheck::check(AvrSignatureBytes{0x1E, 0x94, 0x06}, products[2], tinies));
    testing::expectMatchesGolden("module-checks.txt", text);
}

// A layout: name, then each segment's start, count*size and access; the total, what an image
// written at the start may hold, and the flash images go to. A refusal: its reason.
TEST(DfuseLayout, readsTheBootLoadersLayoutsAndRefusesOthersWithTheReason) {
    testing::expectEachLineMaps("layouts.txt", 22, [](const std::string& descriptor) {
        const auto result = DfuseLayout::parse(descriptor);
        const auto flash = DfuseLayout::flashForImages(descriptor);
        const std::string images =
            "; for images: " + (flash ? std::to_string(*flash) : std::string("none"));
        if (const auto* why = std::get_if<std::string>(&result))
            return *why + images;
        const auto& layout = std::get<DfuseLayout>(result);
        std::string text = layout.name();
        for (const auto& segment : layout.segments()) {
            char line[64];
            std::snprintf(line, sizeof line, " %08X %u*%u %s%s%s", segment.start, segment.count,
                          segment.size, segment.readable ? "r" : "", segment.erasable ? "e" : "",
                          segment.writable ? "w" : "");
            text += line;
        }
        return text + "; " + std::to_string(layout.totalSize()) + " bytes, " +
               std::to_string(layout.writableFrom(layout.start())) + " writable" + images;
    });
    const auto f4 = std::get<DfuseLayout>(
        DfuseLayout::parse("@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg"));
    EXPECT_EQ(f4.writableFrom(0x08010000), 1024 * 1024 - 64 * 1024);
    EXPECT_EQ(f4.writableFrom(0x08100000), 0u);
}

} // namespace
} // namespace modflash
