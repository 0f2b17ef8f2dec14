// SPDX-License-Identifier: GPL-3.0-or-later
// SHA-256 and the image checks: crafted images for every rule, whose reports are in
// tests/data/core/image-checks.txt, and the repository's own sample images for their products.
#include "ImageCheck.h"

#include "ProductCatalogue.h"
#include "ResourceDirectory.h"
#include "Sha256.h"

#include "Golden.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

namespace modflash {
namespace {

using Requirements = ImageCheck::Requirements;
using namespace std::string_literals;

constexpr std::uint64_t MiB = 1024 * 1024;

TEST(Sha256, knownDigestsWholeAndInPieces) {
    const struct {
        std::string data;
        const char* digest;
    } vectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // Either side of where the length no longer fits in the last block.
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& vector : vectors) {
        SCOPED_TRACE(vector.data.size());
        EXPECT_EQ(Sha256::hex(vector.data), vector.digest);
        Sha256 pieces;
        const std::string_view data = vector.data;
        for (std::size_t at = 0, piece = 1; at < data.size(); at += piece, piece = piece % 97 + 1)
            pieces.add(data.substr(at, piece));
        EXPECT_EQ(Sha256::hex(pieces.finish()), vector.digest);
    }
}

// A binary image of `size` bytes that starts with a stack pointer and a reset handler.
std::string vectorImage(std::size_t size, std::uint32_t sp = 0x20001000,
                        std::uint32_t reset = 0x08000041) {
    std::string image(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        image[i] = static_cast<char>(i < 8 ? (i < 4 ? sp : reset) >> (8 * (i % 4)) : i * 7 + 3);
    return image;
}

const Requirements t85 = Requirements::forAvrChip(*AvrChips::at(4));
const Requirements m168 = Requirements::forAvrChip(*AvrChips::at(0));
const Requirements arm = Requirements::forStm32(2 * MiB);
Requirements connectedTo(std::uint64_t flash) {
    Requirements needs = arm;
    needs.connectedFlash = flash;
    return needs;
}

struct Case {
    std::string file;
    std::string bytes;
    Requirements needs;
};

// The files of tests/data/core/images, for the chip their directory names, then binary images
// that start with a vector table, built here from their stack pointer and reset handler.
std::vector<Case> cases() {
    std::vector<Case> all;
    for (const auto& [chip, needs] : {std::pair{"t85", t85}, {"m168", m168}, {"arm", arm}}) {
        std::set<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::string(MODFLASH_GOLDEN_DIR) + "/images/" + chip))
            files.insert(entry.path());
        for (const auto& file : files)
            all.push_back({file.filename().string(), testing::readFile(file.string()), needs});
    }
    EXPECT_EQ(all.size(), 28u);
    const std::vector<Case> built = {
        {"image.hex", vectorImage(64), t85},
        // Stacks at the top of the SRAM and of the core-coupled RAM, exact fits.
        {"image.bin", vectorImage(4096), arm},
        {"top.bin", vectorImage(8, 0x20050000, 0x08000001), arm},
        {"ccm.bin", vectorImage(1024, 0x10010000, 0x080003FF), connectedTo(1024)},
        {"r.bin", "PK\x03\x04\x14"s + vectorImage(64), arm},
        {"r.bin.gz", "\x1F\x8B\x08\x00"s + vectorImage(64), arm},
        {"huge.bin", vectorImage(2 * MiB + 4), arm},
        {"tiny.bin", "\x00\x10\x00\x20"s, arm},
        {"unaligned.bin", vectorImage(64, 0x20001002), arm},
        {"flash-stack.bin", vectorImage(64, 0x08001000), arm},
        {"ram-bottom.bin", vectorImage(64, 0x20000000), arm},
        {"beyond-ram.bin", vectorImage(64, 0x20050004), arm},
        {"arm-mode.bin", vectorImage(64, 0x20001000, 0x08000040), arm},
        {"app.bin", vectorImage(4096, 0x20001000, 0x08004101), arm},
        {"end.bin", vectorImage(64), arm},
        // Larger than the connected module's flash, which outweighs any doubt.
        {"f4.bin", vectorImage(128 * 1024), connectedTo(64 * 1024)},
        {"odd.bin", vectorImage(128 * 1024, 0x08000000), connectedTo(64 * 1024)},
        {"huge-1k.bin", vectorImage(2 * MiB + 4), connectedTo(1024)}};
    all.insert(all.end(), built.begin(), built.end());
    return all;
}

// Each crafted file's whole report: verdict, reason, what it holds and every check's detail.
TEST(ImageCheck, eachRuleAcceptsOrRefusesWithItsReason) {
    std::string text;
    for (const Case& example : cases()) {
        SCOPED_TRACE(example.file);
        const ImageReport report = ImageCheck::check(example.bytes, example.file, example.needs);
        char range[64] = "no data";
        if (report.addresses)
            std::snprintf(range, sizeof range, "0x%llX to 0x%llX",
                          static_cast<unsigned long long>(report.addresses->start),
                          static_cast<unsigned long long>(report.addresses->end));
        text += "== " + example.file + ": " + verdictName(report.verdict) +
                (report.mayBeConfirmed() ? ", may be confirmed" : "") +
                (report.reason.empty() ? "" : "\n" + report.reason) + "\n" + report.format + ", " +
                std::to_string(report.fileSize) + " bytes, " + std::to_string(report.dataBytes) +
                " of data, " + range + "\n";
        for (const auto& check : report.checks)
            text += (check.passed ? "  passed " : "  FAILED ") + check.name + ": " + check.detail +
                    "\n";
        EXPECT_EQ(report.sha256, Sha256::hex(example.bytes));
        EXPECT_EQ(report.accepted(), report.reason.empty());
        ASSERT_FALSE(report.checks.empty());
        const auto failed = std::count_if(report.checks.begin(), report.checks.end(),
                                          [](const auto& check) { return !check.passed; });
        EXPECT_EQ(failed == 0, report.accepted());
        // A malformed file ends the checks at the one that found it.
        EXPECT_TRUE(report.verdict != ImageReport::Verdict::Malformed ||
                    !report.checks.back().passed);
    }
    testing::expectMatchesGolden("image-checks.txt", text);
}

// Every sample image of the repository passes the checks of the product it belongs to.
TEST(ImageCheck, theRepositorysSampleImagesPassForTheirProducts) {
    const ResourceDirectory resources(MODFLASH_SOURCE_RESOURCES);
    std::size_t checked = 0;
    for (const ProductPtr& product : ProductCatalogue().products()) {
        const auto needs = product->imageRequirements();
        ASSERT_TRUE(needs) << product->title();
        for (const FirmwarePtr& firmware : product->getAllFirmware(resources)) {
            const auto name = std::filesystem::path(firmware->path()).filename().string();
            const auto report =
                ImageCheck::check(testing::readFile(firmware->path()), name, *needs);
            EXPECT_TRUE(report.accepted()) << report.reason;
            ++checked;
        }
    }
    std::size_t images = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(MODFLASH_SOURCE_RESOURCES) + "/firmware"))
        images += entry.path().extension() != ".txt";
    EXPECT_EQ(checked, images);
    EXPECT_GT(checked, 0u);
}

} // namespace
} // namespace modflash
