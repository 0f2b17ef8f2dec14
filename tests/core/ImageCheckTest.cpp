// SPDX-License-Identifier: GPL-3.0-or-later
// SHA-256 and the image checks: crafted images for every rule and the repository's own sample
// images for their products.
#include "ImageCheck.h"

#include "ProductCatalogue.h"
#include "ResourceDirectory.h"
#include "Sha256.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace modflash {
namespace {

using Verdict = ImageReport::Verdict;
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

std::string hexByte(unsigned byte) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", byte & 0xFF);
    return digits;
}

// An Intel HEX record, checksum and all.
std::string record(unsigned type, unsigned address, std::vector<unsigned> data = {}) {
    data.insert(data.begin(), {unsigned(data.size()), address >> 8, address & 0xFF, type});
    unsigned sum = 0;
    std::string text = ":";
    for (const unsigned byte : data)
        text += hexByte(byte), sum += byte;
    return text + hexByte(0x100 - (sum & 0xFF)) + "\n";
}

// `count` bytes from `address` on, sixteen to a record.
std::string dataRecords(unsigned address, unsigned count) {
    std::string text;
    for (unsigned at = 0; at < count; at += 16) {
        std::vector<unsigned> data;
        for (unsigned i = at; i < std::min(count, at + 16); ++i)
            data.push_back((i * 7 + 3) & 0xFF);
        text += record(0x00, (address + at) & 0xFFFF, data);
    }
    return text;
}

const std::string eof = ":00000001FF\n";

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

const std::string html = "\xEF\xBB\xBF<!DOCTYPE html>\n<html><head><title>Downloads</title>"
                         "</head><body>Wendrel firmware</body></html>\n";
const std::string elf = std::string("\x7F"
                                    "ELF\x01\x01\x01",
                                    7) +
                        std::string(57, '\0');

// Cut mid-record after 12,288 bytes, as an interrupted download leaves it.
std::string cutShort() {
    std::string hex = dataRecords(0, 16 * 300);
    hex.resize(12288);
    return hex;
}

struct Case {
    const char* file;
    std::string bytes;
    Requirements needs;
    Verdict verdict;
    std::string reason; // after the file's quoted name; empty when accepted
};

// Reasons that several cases share, after the file's name.
const std::string invalid = "is not a valid Intel HEX file: line ";
const std::string cut = " of its bytes: the download may have been cut short";
const std::string webPage = "is an HTML page, not a firmware image: it may have been saved from a "
                            "web page instead of downloaded";
const std::string site = ", not a firmware image: it may be a message from the download site "
                         "instead of the image";
const std::string unpack = ", not a firmware image: unpack it and choose the image inside";
const std::string textFile = "is a text file, not a firmware image: choose the image itself";
const std::string notLike = "does not start like an STM32 image for 0x08000000: it";
std::string stackOutside(const char* sp) {
    return notLike + "s initial stack pointer " + sp +
           " lies outside RAM; it may be built for another chip, or not be firmware at all";
}
std::string resetOutside(const char* reset, const char* last) {
    return notLike + "s reset handler " + reset +
           " lies outside the image as written (0x08000000 to " + last +
           "); it may be built for another address, such as behind a boot loader";
}
const std::string tooLarge = "is 131,072 bytes, larger than the connected module's flash "
                             "(64 KiB from 0x08000000): choose the image for this module";
std::string beyond(const char* address, const char* chip) {
    return std::string("holds data at ") + address + ", beyond the " + chip;
}

const std::vector<Case>& cases() {
    constexpr Verdict ok = Verdict::Accepted, doubt = Verdict::Implausible,
                      bad = Verdict::Malformed, big = Verdict::DoesNotFit;
    std::string crlf = dataRecords(0, 40) + ":00000001FF"; // and no line end after the last
    for (std::size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2)
        crlf.insert(at, "\r");
    const std::string segment = record(0x02, 0, {0x01, 0x00}) + dataRecords(0x0F00, 32);
    static const std::vector<Case> all = {
        // Intel HEX: LF, CRLF, segment and start addresses, and beyond the chip's flash.
        {"plain.hex", dataRecords(0, 504) + eof, t85, ok, ""},
        {"crlf.hex", crlf, t85, ok, ""},
        {"segment.hex", segment + record(0x03, 0, {0, 0, 0, 0}) + eof, m168, ok, ""},
        {"k_1.0.hex", dataRecords(0x4000, 32) + eof, t85, doubt,
         beyond("0x4000", "8 KiB flash of the ATtiny85")},
        {"straddle.hex", dataRecords(0x1FF8, 16) + eof, t85, doubt,
         beyond("0x2000", "8 KiB flash of the ATtiny85")},
        {"linear.hex", dataRecords(0, 16) + record(0x04, 0, {0, 1}) + dataRecords(0, 16) + eof,
         m168, doubt, beyond("0x00010000", "16 KiB flash of the ATmega168")},
        // Intel HEX, malformed.
        {"d_1.1.hex", cutShort(), m168, bad, "ends after 12,288" + cut},
        {"no-end.hex", dataRecords(0, 64), t85, bad, "ends after 176" + cut},
        {"sum.hex", dataRecords(0, 16) + ":0100100041AF\n" + eof, t85, bad,
         invalid + "2 has the checksum 0xAF, but its bytes need 0xAE: the file is damaged"},
        {"count.hex", ":0200000041BD\n" + eof, t85, bad,
         invalid + "1 says it holds 2 data bytes but holds 1"},
        {"digit.hex", ":10000000G0\n" + eof, t85, bad,
         invalid + "1 holds \u201cG\u201d, which is no hexadecimal digit"},
        {"type.hex", record(0x06, 0) + eof, t85, bad,
         invalid + "1 has the record type 0x06, which Intel HEX does not know"},
        {"eof-data.hex", record(0x01, 0, {0x12}), t85, bad,
         invalid + "1 is a record of type 0x01 with 1 bytes instead of 0"},
        {"joined.hex", dataRecords(0, 16) + eof + "\n" + dataRecords(0, 16) + eof, t85, bad,
         "goes on after its end-of-file record (line 4 follows the end-of-file record): it may be "
         "two files joined together"},
        {"nothing.hex", eof, t85, bad, "holds no data: there is nothing to write"},
        {"notes.hex", "Notes\n" + eof, t85, bad, invalid + "1 does not begin with \u201c:\u201d"},
        {"empty.hex", "", t85, bad, "is empty: the download may have failed"},
        {"page.hex", html, t85, bad, webPage},
        {"image.hex", vectorImage(64), t85, bad,
         "is binary data, not an Intel HEX image: choose the .hex file the firmware was released "
         "as"},
        {"linked.hex", elf, t85, bad,
         "is an ELF file, not an Intel HEX image: build the .hex with avr-objcopy -O ihex"},
        // Binary: stacks at the top of the SRAM and of the core-coupled RAM, exact fits.
        {"image.bin", vectorImage(4096), arm, ok, ""},
        {"top.bin", vectorImage(8, 0x20050000, 0x08000001), arm, ok, ""},
        {"ccm.bin", vectorImage(1024, 0x10010000, 0x080003FF), connectedTo(1024), ok, ""},
        // Binary, another kind of file.
        {"empty.bin", "", arm, bad, "is empty: the download may have failed"},
        {"W.2.0.bin", html, arm, bad, webPage},
        {"feed.bin", "<?xml version=\"1.0\"?>\n<Error></Error>", arm, bad,
         "is an XML document" + site},
        {"answer.bin", "  {\"error\": \"not found\"}\n", arm, bad, "is a JSON document" + site},
        {"list.bin", "[\n  \"image.bin\"\n]\n", arm, bad, "is a JSON document" + site},
        {"r.bin", "PK\x03\x04\x14"s + vectorImage(64), arm, bad, "is a ZIP archive" + unpack},
        {"r.bin.gz", "\x1F\x8B\x08\x00"s + vectorImage(64), arm, bad, "is a gzip archive" + unpack},
        {"elf.bin", elf, arm, bad,
         "is an ELF file, not a binary image: build the .bin with objcopy -O binary"},
        {"hex.bin", dataRecords(0, 32) + eof, arm, bad,
         "is an Intel HEX file, not a binary image: convert it with objcopy -I ihex -O binary"},
        {"readme.bin", "Flash this image with care.\n", arm, bad, textFile},
        {"settings.bin", "[flash]\nsize=64\n", arm, bad, textFile},
        // Binary, implausible.
        {"huge.bin", vectorImage(2 * MiB + 4), arm, doubt,
         "is 2,097,156 bytes, larger than the 2 MiB flash of the largest chip of the product's "
         "family"},
        {"tiny.bin", "\x00\x10\x00\x20"s, arm, doubt,
         notLike + " is too short to hold the vector table an STM32 starts from"},
        {"unaligned.bin", vectorImage(64, 0x20001002), arm, doubt,
         notLike + "s initial stack pointer 0x20001002 is not word aligned; it may not be firmware "
                   "at all"},
        {"flash-stack.bin", vectorImage(64, 0x08001000), arm, doubt, stackOutside("0x08001000")},
        {"ram-bottom.bin", vectorImage(64, 0x20000000), arm, doubt, stackOutside("0x20000000")},
        {"beyond-ram.bin", vectorImage(64, 0x20050004), arm, doubt, stackOutside("0x20050004")},
        {"arm-mode.bin", vectorImage(64, 0x20001000, 0x08000040), arm, doubt,
         notLike + "s reset handler 0x08000040 is even, which no Cortex-M code address is"},
        {"app.bin", vectorImage(4096, 0x20001000, 0x08004101), arm, doubt,
         resetOutside("0x08004101", "0x08000FFF")},
        {"end.bin", vectorImage(64), arm, doubt, resetOutside("0x08000041", "0x0800003F")},
        // Larger than the connected module's flash, which outweighs any doubt.
        {"f4.bin", vectorImage(128 * 1024), connectedTo(64 * 1024), big, tooLarge},
        {"odd.bin", vectorImage(128 * 1024, 0x08000000), connectedTo(64 * 1024), big, tooLarge}};
    return all;
}

TEST(ImageCheck, eachRuleAcceptsOrRefusesWithItsReason) {
    for (const Case& example : cases()) {
        SCOPED_TRACE(example.file);
        const ImageReport report = ImageCheck::check(example.bytes, example.file, example.needs);
        EXPECT_EQ(report.verdict, example.verdict) << verdictName(report.verdict);
        EXPECT_EQ(report.reason, example.reason.empty() ? std::string()
                                                        : "\u201c" + std::string(example.file) +
                                                              "\u201d " + example.reason);
        EXPECT_EQ(report.mayBeConfirmed(), example.verdict == Verdict::Implausible);
        ASSERT_FALSE(report.checks.empty());
        const auto failed = std::count_if(report.checks.begin(), report.checks.end(),
                                          [](const auto& check) { return !check.passed; });
        EXPECT_EQ(failed == 0, report.accepted());
        // A malformed file ends the checks at the one that found it.
        if (example.verdict == Verdict::Malformed) {
            EXPECT_FALSE(report.checks.back().passed);
        }
    }
}

// Each check's name and detail, and "!" where it failed.
std::string checksOf(const ImageReport& report) {
    std::string text;
    for (const auto& check : report.checks)
        text += check.name + ": " + check.detail + (check.passed ? "|" : "!|");
    return text;
}

TEST(ImageCheck, reportsFormatSizeAddressesAndDigest) {
    const ImageReport binary = ImageCheck::check(vectorImage(4096), "image.bin", arm);
    EXPECT_EQ(binary.format + " " + binary.sha256,
              "binary ac2860c73c55a3155dcca6e3ed1f829b5d8ab6d064a2c40406f61ab7becf4737");
    EXPECT_EQ(binary.fileSize, 4096u);
    EXPECT_EQ(binary.dataBytes, 4096u);
    EXPECT_EQ(binary.addresses, (ImageReport::AddressRange{0x08000000, 0x08001000}));
    EXPECT_EQ(checksOf(binary), "Not empty: 4,096 bytes|Not another kind of file: binary data|"
                                "Size: 4,096 bytes, at most 2 MiB|Initial stack pointer: "
                                "0x20001000, in RAM|Reset handler: 0x08000041, inside the image|");
    const ImageReport huge =
        ImageCheck::check(vectorImage(2 * MiB + 4), "huge.bin", connectedTo(1024));
    EXPECT_EQ(checksOf(huge).substr(checksOf(huge).find("Size")),
              "Size: 2,097,156 bytes, more than 2 MiB!|Initial stack pointer: 0x20001000, in RAM|"
              "Reset handler: 0x08000041, inside the image|Fits the connected module: 2,097,156 "
              "bytes, more than 1 KiB from 0x08000000!|");

    const std::string segmented = record(0x02, 0, {0x01, 0x00}) + dataRecords(0x0F00, 32) + eof;
    const ImageReport hex = ImageCheck::check(segmented, "segment.hex", m168);
    EXPECT_EQ(hex.format, "Intel HEX");
    EXPECT_EQ(hex.dataBytes, 32u);
    EXPECT_EQ(hex.addresses, (ImageReport::AddressRange{0x1F00, 0x1F20}));
    EXPECT_EQ(hex.checks.back().detail,
              "0x1F00 to 0x1F1F, inside the 16 KiB flash of the ATmega168");
    EXPECT_EQ(hex.sha256, Sha256::hex(segmented));
}

// Every sample image of the repository passes the checks of the product it belongs to.
TEST(ImageCheck, theRepositorysSampleImagesPassForTheirProducts) {
    const ResourceDirectory resources(MODFLASH_SOURCE_RESOURCES);
    std::size_t checked = 0;
    for (const ProductPtr& product : ProductCatalogue().products()) {
        const auto needs = product->imageRequirements();
        ASSERT_TRUE(needs) << product->title();
        for (const FirmwarePtr& firmware : product->getAllFirmware(resources)) {
            SCOPED_TRACE(firmware->path());
            std::ifstream in(firmware->path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            const auto name = std::filesystem::path(firmware->path()).filename().string();
            const ImageReport report = ImageCheck::check(bytes.str(), name, *needs);
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
