// SPDX-License-Identifier: GPL-3.0-or-later
// SHA-256 and the image checks: crafted images for every rule, whose reports are in
// tests/data/core/image-checks.txt, and the repository's own sample images for their products.
#include "flashing/ImageCheck.h"

#include "catalogue/ProductCatalogue.h"
#include "flashing/FileKind.h"
#include "flashing/ResourceDirectory.h"
#include "flashing/Sha256.h"

#include "Golden.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace modflash {
namespace {

using Requirements = ImageCheck::Requirements;

constexpr std::uint64_t MiB = 1024 * 1024;

// The same digest whole and in pieces of 1 to 97 bytes.
TEST(Sha256, knownDigestsWholeAndInPieces) {
    testing::expectEachLineMaps("sha256.txt", 5, [](const std::string& input) {
        const bool repeated = input.find(" \u00d7 ") != std::string::npos;
        const std::string data = repeated ? std::string(std::stoul(input), input.back()) : input;
        Sha256 pieces;
        for (std::size_t at = 0, piece = 1; at < data.size(); at += piece, piece = piece % 97 + 1)
            pieces.add(std::string_view(data).substr(at, piece));
        EXPECT_EQ(Sha256::hex(pieces.finish()), Sha256::hex(data)) << input;
        return Sha256::hex(data);
    });
}

// A binary image of `size` bytes that starts with a stack pointer and a reset handler.
std::string vectorImage(std::size_t size, std::uint32_t sp = 0x20001000,
                        std::uint32_t reset = 0x08000041) {
    std::string image(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        image[i] = static_cast<char>(i < 8 ? (i < 4 ? sp : reset) >> (8 * (i % 4)) : i * 7 + 3);
    return image;
}

const Requirements t85 = Requirements::forAvrChip(AvrChips::chip(AvrChipId::attiny85));
const Requirements m168 = Requirements::forAvrChip(AvrChips::chip(AvrChipId::atmega168));
const Requirements arm = Requirements::forStm32(2 * MiB);
struct Case {
    std::string file;
    std::string bytes;
    Requirements needs;
};

// The files of tests/data/core/images, for the chip their directory names, then the binary
// images of vector-images.txt, built from their size, stack pointer and reset handler.
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
    for (const auto& line : testing::linesOf(
             testing::readFile(std::string(MODFLASH_GOLDEN_DIR) + "/vector-images.txt"))) {
        std::istringstream spec(line);
        std::string file, chip, before;
        std::size_t size = 0;
        std::uint32_t sp = 0, reset = 0;
        if (line.starts_with("#") || !(spec >> file >> chip >> size >> std::hex >> sp >> reset))
            continue;
        spec >> before;
        Requirements needs = chip == "t85" ? t85 : arm;
        if (std::isdigit(chip[0]))
            needs.connectedFlash = std::stoull(chip);
        all.push_back({file, testing::unescaped(before) + vectorImage(size, sp, reset), needs});
    }
    EXPECT_EQ(all.size(), 56u);
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

// A saved web page is told by any element only HTML has, in any letter case, after a byte
// order mark and other markup; markup without one of them is no web page. Intel HEX is told by
// a record's first three characters.
TEST(FileKind, AWebPageIsToldByAnyElementOnlyHtmlHas) {
    const std::string saved = "\xEF\xBB\xBF\n<!-- saved from the maker's site -->\n";
    for (const char* element : {"<!doctype HTML>", "<Html lang=\"en\">", "<HEAD>", "<body>",
                                "<Meta charset=\"utf-8\">", "<title>", "<SCRIPT>"})
        EXPECT_EQ(FileKind::of(saved + element + "Downloads"), FileKind::Kind::Html) << element;
    EXPECT_EQ(FileKind::of(saved + "<firmware>Downloads</firmware>"), FileKind::Kind::Xml);
    EXPECT_EQ(FileKind::of(":10"), FileKind::Kind::IntelHex) << "a record's start is enough";
}

// A file is read to its end however its size compares with the buffer, up to four times the
// largest flash: one of exactly that size is judged by its bytes, one byte more is refused.
TEST(ImageCheck, readsAFileOfTheLargestSizeWholly) {
    const auto path = std::filesystem::temp_directory_path() / "modflash-largest.bin";
    for (const auto& [size, reason] : {std::pair{4 * MiB, "is blank flash"},
                                       {4 * MiB + 1, "far more than any module's flash"}}) {
        std::ofstream(path, std::ios::binary) << std::string(size, '\xFF');
        const auto report = ImageCheck::checkFile(path.string(), "a.bin", t85);
        EXPECT_NE(report.reason.find(reason), std::string::npos) << report.reason;
    }
    std::filesystem::remove(path);
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
