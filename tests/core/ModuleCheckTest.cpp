// SPDX-License-Identifier: GPL-3.0-or-later
// What the connected module is: the AVR chip table, the signature in avrdude 7.1's output and the
// module check's verdict on it, and the memory layout a DFU boot loader describes.
// The outputs below are written as avrdude 7.1's src/main.c prints them (pmsg_* with
// "avrdude: " or "avrdude error: ", imsg_* indented by eight spaces); the no-programmer ones
// are the real tool's recordings.
#include "ModuleCheck.h"

#include "AVRProduct.h"
#include "DfuseLayout.h"
#include "ProductCatalogue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace modflash {
namespace {

using Outcome = AvrSignatureReading::Outcome;

std::string recording(const std::string& name) {
    std::ifstream in(std::string(MODFLASH_TOOL_OUTPUT_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << name;
    return text.str();
}

const std::string bar = "\nReading | ################################################## | 100% "
                        "0.00s\n\n";
const std::string ready = "\navrdude: AVR device initialized and ready to accept instructions\n";
const std::string done = "\navrdude done.  Thank you.\n\n";

std::string signature(const std::string& digits, const std::string& suffix = "") {
    return "avrdude: device signature = 0x" + digits + suffix + "\n";
}
// Without -F, a signature other than the -p part's ends the run.
std::string mismatch(const std::string& digits, const std::string& part) {
    return ready + bar + signature(digits, " (probably " + part + ")") +
           "avrdude error: expected signature for ATmega168 is 1E 94 06\n"
           "        double check chip or use -F to override this check\n" +
           done;
}
const std::string matches = ready + bar + signature("1e9514", " (probably m328)") + done;
const std::string otherChip = mismatch("1e950f", "m328p");
const std::string unknownChip = mismatch("1e930f", "m88p");
// avrdude reads an all-0x00 or all-0xFF signature three times before it gives up.
std::string blank(const std::string& digits) {
    return ready + bar + signature(digits, " (retrying)") + bar + signature(digits, " (retrying)") +
           bar + signature(digits) + "avrdude error: Yikes!  Invalid device signature.\n" +
           "avrdude error: expected signature for ATmega328 is 1E 95 14\n"
           "        Double check connections and try again, or use -F to override\n"
           "        this check.\n\n" +
           done;
}
const std::string blankThenRead = ready + bar + signature("ffffff", " (retrying)") + bar +
                                  signature("1e930b", " (probably t85)") + done;
const std::string initFailure = "initialization failed, rc=-1";
const std::string initFailed =
    "avrdude error: " + initFailure + "\n" +
    "        - double check the connections and try again\n"
    "        - use -B to set lower ISP clock frequency, e.g. -B 125kHz\n";
// With -F avrdude carries on after the failure and prints bytes it never read.
const std::string initFailedForced = initFailed + ready + signature("000000", " (retrying)") +
                                     signature("000000", " (retrying)") + signature("000000") +
                                     "avrdude error: Yikes!  Invalid device signature.\n"
                                     "avrdude warning: expected signature for ATmega328 is 1E 95 "
                                     "14\n" +
                                     done;
const std::string initFailedStops =
    initFailed + "        - use -F to override this check\n\n" + done;

// Each chip as the datasheets have it (its part and fuses are in the avrdude command's check):
// every signature leads back to its chip and variant.
TEST(AvrChips, tableAnswersForEachChipAndSignature) {
    std::string table;
    for (std::int32_t cpu = 0; cpu < 5; ++cpu) {
        const AvrChip& chip = AvrChips::all()[static_cast<std::size_t>(cpu)];
        EXPECT_EQ(AvrChips::at(cpu), &chip);
        table += "\n" + std::string(chip.name) + " " + std::to_string(chip.flashSize) + ":";
        for (const AvrChipVariant& variant : chip.variants) {
            table += " " + signatureText(variant.signature) + " " + std::string(variant.name);
            const auto match = AvrChips::withSignature(variant.signature);
            ASSERT_TRUE(match);
            EXPECT_EQ(match->chip, &chip);
            EXPECT_EQ(match->variant, &variant);
        }
    }
    EXPECT_EQ(table, "\nATmega168 16384: 1E 94 06 ATmega168/168A 1E 94 0B ATmega168P/PA"
                     "\nATmega328 32768: 1E 95 14 ATmega328 1E 95 0F ATmega328P"
                     "\nATtiny44 4096: 1E 92 07 ATtiny44\nATtiny45 4096: 1E 92 06 ATtiny45"
                     "\nATtiny85 8192: 1E 93 0B ATtiny85");
    EXPECT_EQ(AvrChips::all().size(), 5u);
    EXPECT_EQ(AvrChips::at(-1), nullptr);
    EXPECT_EQ(AvrChips::at(5), nullptr);
    EXPECT_FALSE(AvrChips::withSignature({0x1E, 0x93, 0x0F}));
}

// The AVR products of the catalogue, in the order its list shows them, as the check gets them.
std::vector<AvrProductChip> avrProducts() {
    std::vector<AvrProductChip> products;
    for (const ProductPtr& product : ProductCatalogue().products())
        if (const auto* avr = dynamic_cast<const AVRProduct*>(product.get()))
            products.push_back({avr->title(), avr->cpu()});
    return products;
}
const std::vector<AvrProductChip> products = avrProducts();
const AvrProductChip drovel = products[0], ostrine = products[4];

const std::string checkCable = ". Check that the programmer's cable is on the module you mean to "
                               "update.";
const std::string switchedOn = ". Check that the module is switched on and that the programmer's "
                               "cable is on its header the right way round (red stripe to pin 1).";
const std::string yikes = "Yikes!  Invalid device signature.";
const std::string noAnswer = "The module's chip did not answer: avrdude read the signature ";
const std::string initFailureReason =
    "The module did not answer the programmer (avrdude: " + initFailure + ")" + switchedOn;

AvrSignatureReading read(std::uint32_t signature, std::string part = {}) {
    const AvrSignatureBytes bytes{static_cast<std::uint8_t>(signature >> 16),
                                  static_cast<std::uint8_t>(signature >> 8),
                                  static_cast<std::uint8_t>(signature)};
    const bool blank = signature == 0 || signature == 0xFFFFFF;
    return {blank ? Outcome::Blank : Outcome::Read, bytes, std::move(part), blank ? yikes : ""};
}
AvrSignatureReading failed(Outcome outcome, std::string message) {
    return {outcome, {}, {}, std::move(message)};
}
AvrSignatureReading noProgrammer(const std::string& programmer) {
    return failed(Outcome::NoProgrammer,
                  "unable to open programmer " + programmer + " on port usb");
}
std::string noProgrammerReason(const std::string& programmer) {
    return "avrdude found no programmer (unable to open programmer " + programmer +
           " on port usb). Connect the programmer, or choose the one you have under Preferences.";
}
const std::string notReported = "avrdude read no signature from the module and printed none of "
                                "its messages that say why: see its output for what went wrong.";

// Each output, the reading it gives and the module check's verdict on it for a product.
const struct {
    const char* name;
    std::string output;
    AvrSignatureReading reading;
    AvrProductChip product;
    std::string reason; // empty: the module fits
} examples[] = {
    {"matches", matches, read(0x1E9514, "m328"), ostrine, ""},
    {"other variant", otherChip, read(0x1E950F, "m328p"), ostrine, ""},
    {"CRLF, no guess", "avrdude: device signature = 0x1E940B\r\n", read(0x1E940B), drovel, ""},
    {"last line open", "avrdude: device signature = 0x1e9406", read(0x1E9406), drovel, ""},
    {"other chip", otherChip, read(0x1E950F, "m328p"), drovel,
     "This module has an ATmega328P, but Drovel uses an ATmega168. Products with an ATmega328: "
     "Ostrine, Parvonne (rev008 or Lower), Parvonne (rev009 or Higher), \u00b5Mirrin II Rev011 or "
     "Higher."},
    {"blank then read", blankThenRead, read(0x1E930B, "t85"), drovel,
     "This module has an ATtiny85, but Drovel uses an ATmega168. Products with an ATtiny85: "
     "Kolvane."},
    {"7.0 wording", "avrdude: Device signature = 0x1e930b (probably t85)\n", read(0x1E930B, "t85"),
     products[2], ""},
    {"unknown chip", unknownChip, read(0x1E930F, "m88p"), drovel,
     "This module's chip answers with the signature 1E 93 0F, which no product of modflash uses: "
     "Drovel uses an ATmega168" +
         checkCable + " avrdude takes the chip for its part m88p."},
    {"all 0x00", blank("000000"), read(0x000000), ostrine,
     noAnswer + "00 00 00 (" + yikes + ")" + switchedOn},
    {"all 0xFF", blank("ffffff"), read(0xFFFFFF), ostrine,
     noAnswer + "FF FF FF (" + yikes + ")" + switchedOn},
    {"init failed", initFailedStops, failed(Outcome::NoAnswer, initFailure), ostrine,
     initFailureReason},
    {"init failed, -F", initFailedForced, failed(Outcome::NoAnswer, initFailure), ostrine,
     initFailureReason},
    {"no usbtiny", recording("avrdude-7.1-usbtiny-no-device.txt"), noProgrammer("usbtiny"), ostrine,
     noProgrammerReason("usbtiny")},
    {"no usbasp", recording("avrdude-7.1-usbasp-no-device.txt"), noProgrammer("usbasp"), ostrine,
     noProgrammerReason("usbasp")},
    {"no config", "avrdude: can't open config file \"/etc/avrdude.conf\": No such file\n",
     AvrSignatureReading(), ostrine, notReported},
    {"unreadable digits", "avrdude: device signature = 0x1e95\n", AvrSignatureReading(), ostrine,
     notReported},
};

// The same reading whether the output comes whole or split at any byte, and the module check's
// verdict on it.
TEST(ModuleCheck, readsTheSignatureHoweverSplitAndFitsAnyVariantOfTheChip) {
    for (const auto& example : examples) {
        SCOPED_TRACE(example.name);
        const std::string_view output = example.output;
        EXPECT_EQ(AvrSignatureReader::read(output), example.reading);
        for (std::size_t at = 0; at <= output.size(); ++at) {
            AvrSignatureReader reader;
            reader.feed(output.substr(0, at));
            reader.feed(output.substr(at));
            reader.finish();
            ASSERT_EQ(reader.reading(), example.reading) << "split at " << at;
        }
        const auto result = ModuleCheck::check(example.reading, example.product, products);
        EXPECT_EQ(result.fits, example.reason.empty());
        EXPECT_EQ(result.reason, example.reason);
    }
    EXPECT_EQ(ModuleCheck::check(AvrSignatureBytes{0x1E, 0x94, 0x0B}, drovel, products).found,
              "ATmega168P/PA");
    EXPECT_EQ(ModuleCheck::check(AvrSignatureBytes{0, 0, 0}, drovel, products).reason,
              noAnswer + "00 00 00" + switchedOn);
    // Without Drovel and its siblings, an ATmega168 belongs to no product.
    const std::vector<AvrProductChip> tinies(products.begin() + 1, products.begin() + 4);
    EXPECT_EQ(ModuleCheck::check(AvrSignatureBytes{0x1E, 0x94, 0x06}, products[2], tinies).reason,
              "This module has an ATmega168/168A, but Kolvane uses an ATtiny85. No product of "
              "modflash uses an ATmega168.");
    EXPECT_THROW(ModuleCheck::check(AvrSignatureBytes{0x1E, 0x95, 0x0F}, {"Bad", 7}, products),
                 std::out_of_range);
}

// A layout in one line: name, then each segment's start, count*size and access; the total and
// what an image written at the start may hold. A refusal: its reason after the descriptor.
std::string parsed(std::string_view descriptor) {
    const auto result = DfuseLayout::parse(descriptor);
    if (const auto* why = std::get_if<std::string>(&result)) {
        const std::string refused =
            "the memory layout \u201c" + std::string(descriptor) + "\u201d cannot be read: ";
        return why->starts_with(refused) ? "refused: " + why->substr(refused.size()) : *why;
    }
    const auto& layout = std::get<DfuseLayout>(result);
    std::string text = layout.name();
    for (const auto& segment : layout.segments()) {
        char line[64];
        std::snprintf(line, sizeof line, " %08X %u*%u %s%s%s", segment.start, segment.count,
                      segment.size, segment.readable ? "r" : "", segment.erasable ? "e" : "",
                      segment.writable ? "w" : "");
        text += line;
    }
    return text + "; " + std::to_string(layout.totalSize()) + ", " +
           std::to_string(layout.writableFrom(layout.start())) + " writable";
}

// The STM32 boot loaders' internal flash (F0, F1 connectivity line, F3, F4) and OTP memory, what
// else the format allows, and each way a text can fail to be a layout.
TEST(DfuseLayout, readsTheBootLoadersLayoutsAndRefusesOthersWithTheReason) {
    const char* const layouts[][2] = {
        {"@Internal Flash  /0x08000000/64*0002Kg",
         "Internal Flash 08000000 64*2048 rew; 131072, 131072 writable"},
        {"@Internal Flash  /0x08000000/128*0002Kg",
         "Internal Flash 08000000 128*2048 rew; 262144, 262144 writable"},
        {"@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg",
         "Internal Flash 08000000 4*16384 rew 08010000 1*65536 rew 08020000 7*131072 rew; "
         "1048576, 1048576 writable"},
        {"@OTP Memory /0x1FFF7800/01*512 e,01*016 e",
         "OTP Memory 1FFF7800 1*512 rw 1FFF7A00 1*16 rw; 528, 528 writable"},
        // Two address blocks, the second where the first ends; padding after the layout.
        {"@Internal Flash /0x08000000/02*016Kg/0x08008000/01*064Kg   ",
         "Internal Flash 08000000 2*16384 rew 08008000 1*65536 rew; 98304, 98304 writable"},
        // A gap, or sectors that cannot be written, end what an image may hold.
        {"@Flash/0x08000000/04*016Kg/0x08100000/04*016Kg",
         "Flash 08000000 4*16384 rew 08100000 4*16384 rew; 131072, 65536 writable"},
        {"@Flash/0x08000000/01*016Kg,02*016Ka",
         "Flash 08000000 1*16384 rew 08004000 2*16384 r; 49152, 16384 writable"},
        {"@SRAM /0x20000000/01*128Bg,19*1Mf",
         "SRAM 20000000 1*128 rew 20000080 19*1048576 ew; 19923072, 19923072 writable"},
        {"", "refused: it does not begin with \"@\""},
        {"@/0x08000000/64*0002Kg", "refused: it names no memory before the first \"/\""},
        {"@Internal Flash", "refused: it has no address block (\"/0x08000000/...\")"},
        {"@Flash/08000000/64*0002Kg",
         "refused: expected \"/0x\" and a start address at character 7"},
        {"@Flash/0x/64*0002Kg",
         "refused: the start address at character 10 is no 32-bit hexadecimal number"},
        {"@Flash/0x100000000/1*1Kg",
         "refused: the start address at character 18 is no 32-bit hexadecimal number"},
        {"@Flash/0x08000000", "refused: expected \"/\" after the start address at character 18"},
        {"@Flash/0x08000000/*0002Kg",
         "refused: segment 1 (character 19) does not begin with a sector count and \"*\""},
        {"@Flash/0x08000000/64*Kg",
         "refused: segment 1 (character 19) has no sector size after \"*\""},
        {"@Flash/0x08000000/64*0002Kh",
         "refused: segment 1 (character 19) has no type letter from \"a\" to \"g\" after its size"},
        {"@Flash/0x08000000/00*0002Kg", "refused: segment 1 (character 19) holds no bytes"},
        {"@Flash/0xFFFF0000/64*0002Kg",
         "refused: segment 1 (character 19) reaches beyond the 32-bit address space"},
        {"@Flash/0x08000000/64*0002Kg;", "refused: unexpected \u201c;\u201d at character 28"}};
    for (const auto& [descriptor, layout] : layouts)
        EXPECT_EQ(parsed(descriptor), layout) << descriptor;
    const auto f4 = std::get<DfuseLayout>(DfuseLayout::parse(layouts[2][0]));
    EXPECT_EQ(f4.writableFrom(0x08010000), 1024 * 1024 - 64 * 1024);
    EXPECT_EQ(f4.writableFrom(0x08100000), 0u);
    EXPECT_EQ(DfuseLayout::flashForImages(layouts[0][0]), 131072u);
    EXPECT_EQ(DfuseLayout::flashForImages(layouts[3][0]), 0u); // no flash where images go
    EXPECT_FALSE(DfuseLayout::flashForImages(""));
}

} // namespace
} // namespace modflash
