// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/ImageCheck.h"

#include "flashing/CheckText.h"
#include "flashing/ImageFindings.h"
#include "flashing/IntelHex.h"
#include "flashing/Sha256.h"
#include "flashing/TextLookup.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace modflash {

namespace {

using Verdict = ImageReport::Verdict;
using Format = ImageCheck::Requirements::Format;

// Where an STM32 may keep its stack: SRAM (up to the 320 KiB of the largest ones) and the
// core-coupled RAM of those that have it. The stack grows down from the initial stack
// pointer, so the top of a RAM is a sound value and its very bottom is not.
struct Ram {
    std::uint32_t start;
    std::uint32_t end;
};
constexpr Ram stackRams[] = {{0x20000000, 0x20050000}, {0x10000000, 0x10010000}};

std::uint32_t littleEndianWord(std::string_view bytes, std::size_t at) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i)
        word |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return word;
}

// The checks' names, as the report lists them.
const char* notEmpty = MODFLASH_TRANSLATABLE("modflash::ImageCheck", "Not empty");
const char* rightKind = MODFLASH_TRANSLATABLE("modflash::ImageCheck", "Not another kind of file");
const char* records = MODFLASH_TRANSLATABLE("modflash::ImageCheck", "Intel HEX records");
const char* endRecord = MODFLASH_TRANSLATABLE("modflash::ImageCheck", "End-of-file record");
const char* hasData = MODFLASH_TRANSLATABLE("modflash::ImageCheck", "Holds data");
const char* insideFlash = MODFLASH_TRANSLATABLE("modflash::ImageCheck", "Inside the flash");
const char* stackPointer = MODFLASH_TRANSLATABLE("modflash::ImageCheck", "Initial stack pointer");
const char* resetHandler = MODFLASH_TRANSLATABLE("modflash::ImageCheck", "Reset handler");
const char* sizeCheck = MODFLASH_TRANSLATABLE("modflash::ImageCheck", "Size");
const char* fits = MODFLASH_TRANSLATABLE("modflash::ImageCheck", "Fits the connected module");

} // namespace

bool ImageCheck::checkNotEmpty(std::string_view bytes, ImageFindings& findings) {
    if (bytes.empty()) {
        findings.fail(notEmpty, findings.wording().bytes(0), Verdict::Malformed,
                      findings.tr("%1 is empty: the download may have failed"));
        return false;
    }
    findings.pass(notEmpty, findings.wording().bytes(bytes.size()));
    return true;
}

// A file of another kind, with what to do about it.
void ImageCheck::refuseKind(FileKind::Kind kind, Format format, ImageFindings& findings) {
    std::string advice;
    switch (kind) {
    case FileKind::Kind::Html:
        advice = findings.tr("it may have been saved from a web page instead of downloaded");
        break;
    case FileKind::Kind::Xml:
    case FileKind::Kind::Json:
        advice = findings.tr("it may be a message from the download site instead of the image");
        break;
    case FileKind::Kind::Zip:
    case FileKind::Kind::Gzip:
        advice = findings.tr("unpack it and choose the image inside");
        break;
    case FileKind::Kind::Elf:
        advice = format == Format::IntelHex ? findings.tr("build the .hex with avr-objcopy -O ihex")
                                            : findings.tr("build the .bin with objcopy -O binary");
        break;
    case FileKind::Kind::IntelHex:
        advice = findings.tr("convert it with objcopy -I ihex -O binary");
        break;
    case FileKind::Kind::Binary:
        advice = findings.tr("choose the .hex file the firmware was released as");
        break;
    case FileKind::Kind::Text:
        advice = findings.tr("choose the image itself");
        break;
    case FileKind::Kind::Erased:
        advice = findings.tr("it may have been read back from a module with nothing on it");
        break;
    case FileKind::Kind::Zeros:
        advice = findings.tr("the download may have failed");
        break;
    }
    const bool firmwareOfSorts = kind == FileKind::Kind::Elf || kind == FileKind::Kind::IntelHex ||
                                 kind == FileKind::Kind::Binary;
    const std::string reason = !firmwareOfSorts ? findings.tr("%1 is %2, not a firmware image: %3")
                               : format == Format::IntelHex
                                   ? findings.tr("%1 is %2, not an Intel HEX image: %3")
                                   : findings.tr("%1 is %2, not a binary image: %3");
    const std::string what = FileKind::description(kind, findings.wording());
    findings.fail(rightKind, what, Verdict::Malformed, reason, {what, advice});
}

void ImageCheck::checkIntelHex(std::string_view bytes, const Requirements& needs,
                               ImageReport& report, ImageFindings& findings) {
    const FileKind::Kind kind = FileKind::of(bytes);
    // Text and binary data that begin like a record are left to the record check, which names
    // the line and the byte that is wrong.
    const bool startsLikeRecord = bytes.front() == ':';
    if (kind != FileKind::Kind::IntelHex && kind != FileKind::Kind::Text && !startsLikeRecord) {
        refuseKind(kind, Format::IntelHex, findings);
        return;
    }
    findings.pass(rightKind, findings.tr("text"));

    const IntelHex hex = IntelHex::read(bytes);
    const Wording& wording = findings.wording();
    const std::string problem = hex.problemText(wording);
    const std::string wellFormed =
        substituted(findings.tr("%1 well-formed records"), {wording.number(hex.records())});
    switch (hex.problem()) {
    case IntelHex::Problem::BadRecord:
        findings.fail(records, problem, Verdict::Malformed,
                      findings.tr("%1 is not a valid Intel HEX file: %2"), {problem});
        return;
    case IntelHex::Problem::NoEndRecord:
        findings.pass(records, wellFormed);
        findings.fail(
            endRecord, findings.tr("missing"), Verdict::Malformed,
            findings.tr("%1 ends after %2 of its bytes: the download may have been cut short"),
            {wording.number(bytes.size())});
        return;
    case IntelHex::Problem::AfterEndRecord:
        findings.pass(records, wellFormed);
        findings.fail(endRecord, problem, Verdict::Malformed,
                      findings.tr("%1 goes on after its end-of-file record (%2): it may be two "
                                  "files joined together"),
                      {problem});
        return;
    case IntelHex::Problem::LoneCarriageReturn:
        findings.fail(records, problem, Verdict::Malformed,
                      findings.tr("%1 ends its lines in a carriage return alone (from line %2), as "
                                  "old Mac OS text files do, where Intel HEX needs LF or CR LF: "
                                  "convert its line ends"),
                      {std::to_string(hex.problemLine())});
        return;
    case IntelHex::Problem::None:
        break;
    }
    findings.pass(records, substituted(findings.tr("%1 records, checksums correct"),
                                       {wording.number(hex.records())}));
    findings.pass(endRecord, findings.tr("present"));

    report.dataBytes = hex.dataBytes();
    const std::optional<IntelHex::Range> span = hex.span();
    if (!span) {
        findings.fail(hasData, findings.tr("no data records"), Verdict::Malformed,
                      findings.tr("%1 holds no data: there is nothing to write"));
        return;
    }
    report.addresses = ImageReport::AddressRange{span->start, span->end};
    findings.pass(hasData, wording.bytes(hex.dataBytes()));
    checkInsideFlash(hex, needs, findings);
}

void ImageCheck::checkInsideFlash(const IntelHex& hex, const Requirements& needs,
                                  ImageFindings& findings) {
    const std::string flash = flashText(needs, findings);
    if (const auto beyond = hex.firstAddressFrom(needs.flashSize)) {
        findings.fail(insideFlash, substituted(findings.tr("data at %1"), {hexAddress(*beyond)}),
                      Verdict::Implausible, findings.tr("%1 holds data at %2, beyond the %3"),
                      {hexAddress(*beyond), flash});
        return;
    }
    const IntelHex::Range span = *hex.span();
    findings.pass(insideFlash,
                  substituted(findings.tr("%1 to %2, inside the %3"),
                              {hexAddress(span.start), hexAddress(span.end - 1), flash}));
}

std::string ImageCheck::flashText(const Requirements& needs, const ImageFindings& findings) {
    const std::string size = findings.wording().memorySize(needs.flashSize);
    if (needs.chip.empty())
        return substituted(findings.tr("%1 flash of the largest chip of the product's family"),
                           {size});
    return substituted(findings.tr("%1 flash of the %2"), {size, needs.chip});
}

void ImageCheck::checkVectorTable(std::string_view bytes, const Requirements& needs,
                                  ImageFindings& findings) {
    const std::string load = hexAddress(needs.loadAddress);
    if (bytes.size() < 8) {
        const std::string detail = findings.tr("the file is too short to hold one");
        const std::string reason =
            findings.tr("%1 does not start like an STM32 image for %2: it is too short to hold "
                        "the vector table an STM32 starts from");
        findings.fail(stackPointer, detail, Verdict::Implausible, reason, {load});
        findings.fail(resetHandler, detail, Verdict::Implausible, reason, {load});
        return;
    }
    const std::uint32_t sp = littleEndianWord(bytes, 0);
    const std::string spText = hexAddress(sp);
    const bool inRam = std::any_of(std::begin(stackRams), std::end(stackRams),
                                   [&](const Ram& ram) { return ram.start < sp && sp <= ram.end; });
    if (sp % 4 != 0) {
        findings.fail(stackPointer, substituted(findings.tr("%1, not word aligned"), {spText}),
                      Verdict::Implausible,
                      findings.tr("%1 does not start like an STM32 image for %2: its initial "
                                  "stack pointer %3 is not word aligned; it may not be firmware "
                                  "at all"),
                      {load, spText});
    } else if (!inRam) {
        findings.fail(stackPointer, substituted(findings.tr("%1, outside RAM"), {spText}),
                      Verdict::Implausible,
                      findings.tr("%1 does not start like an STM32 image for %2: its initial "
                                  "stack pointer %3 lies outside RAM; it may be built for another "
                                  "chip, or not be firmware at all"),
                      {load, spText});
    } else {
        findings.pass(stackPointer, substituted(findings.tr("%1, in RAM"), {spText}));
    }

    const std::uint32_t reset = littleEndianWord(bytes, 4);
    const std::string resetText = hexAddress(reset);
    const std::uint64_t first = needs.loadAddress;
    const std::uint64_t end = first + bytes.size();
    const std::uint64_t target = reset & ~std::uint32_t(1);
    if (reset % 2 == 0) {
        findings.fail(resetHandler, substituted(findings.tr("%1, even"), {resetText}),
                      Verdict::Implausible,
                      findings.tr("%1 does not start like an STM32 image for %2: its reset "
                                  "handler %3 is even, which no Cortex-M code address is"),
                      {load, resetText});
    } else if (target < first || target >= end) {
        findings.fail(resetHandler, substituted(findings.tr("%1, outside the image"), {resetText}),
                      Verdict::Implausible,
                      findings.tr("%1 does not start like an STM32 image for %2: its reset "
                                  "handler %3 lies outside the image as written (%4 to %5); it "
                                  "may be built for another address, such as behind a boot "
                                  "loader"),
                      {load, resetText, hexAddress(first), hexAddress(end - 1)});
    } else {
        findings.pass(resetHandler, substituted(findings.tr("%1, inside the image"), {resetText}));
    }
}

void ImageCheck::checkBinary(std::string_view bytes, const Requirements& needs, ImageReport& report,
                             ImageFindings& findings) {
    const FileKind::Kind kind = FileKind::of(bytes);
    if (kind != FileKind::Kind::Binary) {
        refuseKind(kind, Format::Binary, findings);
        return;
    }
    findings.pass(rightKind, findings.tr("binary data"));
    report.dataBytes = bytes.size();
    report.addresses = ImageReport::AddressRange{needs.loadAddress,
                                                 needs.loadAddress + std::uint64_t(bytes.size())};

    const std::string size = findings.wording().bytes(bytes.size());
    const std::string most = findings.wording().memorySize(needs.flashSize);
    if (bytes.size() > needs.flashSize) {
        findings.fail(sizeCheck, substituted(findings.tr("%1, more than %2"), {size, most}),
                      Verdict::Implausible, findings.tr("%1 is %2, larger than the %3"),
                      {size, flashText(needs, findings)});
    } else {
        findings.pass(sizeCheck, substituted(findings.tr("%1, at most %2"), {size, most}));
    }
    checkVectorTable(bytes, needs, findings);
    checkFits(bytes, needs, findings);
}

void ImageCheck::checkFits(std::string_view bytes, const Requirements& needs,
                           ImageFindings& findings) {
    if (!needs.connectedFlash)
        return;
    const std::string size = findings.wording().bytes(bytes.size());
    const std::string room = substituted(
        findings.tr("%1 from %2"),
        {findings.wording().memorySize(*needs.connectedFlash), hexAddress(needs.loadAddress)});
    if (bytes.size() > *needs.connectedFlash) {
        findings.fail(fits, substituted(findings.tr("%1, more than %2"), {size, room}),
                      Verdict::DoesNotFit,
                      findings.tr("%1 is %2, larger than the connected module's flash (%3): "
                                  "choose the image for this module"),
                      {size, room});
    } else {
        findings.pass(fits, substituted(findings.tr("%1, at most %2"), {size, room}));
    }
}

const char* verdictName(ImageReport::Verdict verdict) {
    switch (verdict) {
    case Verdict::Accepted:
        return "accepted";
    case Verdict::Implausible:
        return "implausible";
    case Verdict::DoesNotFit:
        return "does not fit";
    case Verdict::Malformed:
        break;
    }
    return "malformed";
}

ImageCheck::Requirements ImageCheck::Requirements::forAvrChip(const AvrChip& chip) {
    Requirements needs;
    needs.format = Format::IntelHex;
    needs.flashSize = chip.flashSize;
    needs.chip = chip.name;
    return needs;
}

ImageCheck::Requirements ImageCheck::Requirements::forStm32(std::uint64_t largestFlash) {
    Requirements needs;
    needs.format = Format::Binary;
    needs.flashSize = largestFlash;
    return needs;
}

ImageReport ImageCheck::checkFile(const std::string& path, std::string_view fileName,
                                  const Requirements& requirements, std::string* checkedBytes,
                                  const Wording& wording) {
    // An Intel HEX file takes under three characters a byte; anything far beyond that is no
    // image of any module here, and is not read into memory whole.
    const std::uint64_t largest = 4 * std::max<std::uint64_t>(requirements.flashSize, 1 << 20);
    std::error_code error;
    const std::uint64_t size = std::filesystem::file_size(path, error);
    ImageReport refused;
    refused.verdict = ImageReport::Verdict::Malformed;
    const ImageFindings findings(refused, fileName, wording);
    if (error) {
        refused.reason = findings.reason(findings.tr("%1 cannot be read: %2"), {error.message()});
        return refused;
    }
    const std::string tooLarge =
        findings.tr("%1 holds %2, far more than any module's flash: it is not a firmware image");
    if (size > largest) {
        refused.fileSize = size;
        refused.reason = findings.reason(tooLarge, {wording.bytes(size)});
        return refused;
    }
    // The size is only a hint: files such as /proc/self/environ say 0 and hold more, and a
    // file may grow while it is read. One byte past the limit is enough to refuse it.
    std::ifstream in(path, std::ios::binary);
    std::string bytes(std::max<std::uint64_t>(size, 4096), '\0');
    std::size_t got = 0;
    while (in && got <= largest) {
        if (got == bytes.size())
            bytes.resize(std::min<std::uint64_t>(2 * got, largest + 1));
        in.read(bytes.data() + got, static_cast<std::streamsize>(bytes.size() - got));
        got += static_cast<std::size_t>(in.gcount());
    }
    if (in.bad() || (!in.eof() && got <= largest)) {
        refused.reason = findings.reason(findings.tr("%1 cannot be read"));
        return refused;
    }
    if (got > largest) {
        refused.reason = findings.reason(
            findings.tr("%1 holds more than %2, far more than any module's flash: it is not a "
                        "firmware image"),
            {wording.bytes(largest)});
        return refused;
    }
    bytes.resize(got);
    ImageReport report = check(bytes, fileName, requirements, wording);
    if (checkedBytes)
        *checkedBytes = std::move(bytes);
    return report;
}

ImageReport ImageCheck::check(std::string_view bytes, std::string_view fileName,
                              const Requirements& requirements, const Wording& wording) {
    ImageReport report;
    ImageFindings findings(report, fileName, wording);
    report.format = requirements.format == Format::IntelHex ? "Intel HEX" : findings.tr("binary");
    report.fileSize = bytes.size();
    report.sha256 = Sha256::hex(bytes);
    if (!checkNotEmpty(bytes, findings))
        return report;
    if (requirements.format == Format::IntelHex)
        checkIntelHex(bytes, requirements, report, findings);
    else
        checkBinary(bytes, requirements, report, findings);
    return report;
}

} // namespace modflash
