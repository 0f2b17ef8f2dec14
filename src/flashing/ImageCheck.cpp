// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/ImageCheck.h"

#include "flashing/CheckText.h"
#include "flashing/FileKind.h"
#include "flashing/IntelHex.h"
#include "flashing/Sha256.h"

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

// Adds the checks to the report as they run and keeps the gravest verdict with its reason.
class Findings {
public:
    Findings(ImageReport& report, std::string_view fileName)
        : m_report(report)
        , m_file(quotedName(fileName)) {}

    const std::string& file() const { return m_file; }

    void pass(std::string name, std::string detail) {
        m_report.checks.push_back({std::move(name), true, std::move(detail)});
    }
    // reason follows the file's quoted name.
    void fail(std::string name, std::string detail, Verdict verdict, const std::string& reason) {
        m_report.checks.push_back({std::move(name), false, std::move(detail)});
        if (verdict > m_report.verdict) {
            m_report.verdict = verdict;
            m_report.reason = m_file + " " + reason;
        }
    }

private:
    ImageReport& m_report;
    std::string m_file;
};

std::uint32_t littleEndianWord(std::string_view bytes, std::size_t at) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i)
        word |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return word;
}

const char* notEmpty = "Not empty";
const char* rightKind = "Not another kind of file";

bool checkNotEmpty(std::string_view bytes, Findings& findings) {
    if (bytes.empty()) {
        findings.fail(notEmpty, "0 bytes", Verdict::Malformed,
                      "is empty: the download may have failed");
        return false;
    }
    findings.pass(notEmpty, groupedNumber(bytes.size()) + " bytes");
    return true;
}

// A file of another kind, with what to do about it.
void refuseKind(FileKind::Kind kind, Format format, Findings& findings) {
    const std::string what = std::string(FileKind::description(kind));
    const std::string image = format == Format::IntelHex ? "an Intel HEX image" : "a binary image";
    std::string advice;
    switch (kind) {
    case FileKind::Kind::Html:
        advice = "it may have been saved from a web page instead of downloaded";
        break;
    case FileKind::Kind::Xml:
    case FileKind::Kind::Json:
        advice = "it may be a message from the download site instead of the image";
        break;
    case FileKind::Kind::Zip:
    case FileKind::Kind::Gzip:
        advice = "unpack it and choose the image inside";
        break;
    case FileKind::Kind::Elf:
        advice = format == Format::IntelHex ? "build the .hex with avr-objcopy -O ihex"
                                            : "build the .bin with objcopy -O binary";
        break;
    case FileKind::Kind::IntelHex:
        advice = "convert it with objcopy -I ihex -O binary";
        break;
    case FileKind::Kind::Binary:
        advice = "choose the .hex file the firmware was released as";
        break;
    case FileKind::Kind::Text:
        advice = "choose the image itself";
        break;
    case FileKind::Kind::Erased:
        advice = "it may have been read back from a module with nothing on it";
        break;
    case FileKind::Kind::Zeros:
        advice = "the download may have failed";
        break;
    }
    const std::string firmware = kind == FileKind::Kind::Elf || kind == FileKind::Kind::IntelHex ||
                                         kind == FileKind::Kind::Binary
                                     ? image
                                     : "a firmware image";
    findings.fail(rightKind, what, Verdict::Malformed,
                  "is " + what + ", not " + firmware + ": " + advice);
}

void checkIntelHex(std::string_view bytes, const ImageCheck::Requirements& needs,
                   ImageReport& report, Findings& findings) {
    const FileKind::Kind kind = FileKind::of(bytes);
    // Text and binary data that begin like a record are left to the record check, which names
    // the line and the byte that is wrong.
    const bool startsLikeRecord = bytes.front() == ':';
    if (kind != FileKind::Kind::IntelHex && kind != FileKind::Kind::Text && !startsLikeRecord) {
        refuseKind(kind, Format::IntelHex, findings);
        return;
    }
    findings.pass(rightKind, "text");

    const IntelHex hex = IntelHex::read(bytes);
    const char* records = "Intel HEX records";
    const char* endRecord = "End-of-file record";
    switch (hex.problem()) {
    case IntelHex::Problem::BadRecord:
        findings.fail(records, hex.problemText(), Verdict::Malformed,
                      "is not a valid Intel HEX file: " + hex.problemText());
        return;
    case IntelHex::Problem::NoEndRecord:
        findings.pass(records, groupedNumber(hex.records()) + " well-formed records");
        findings.fail(endRecord, "missing", Verdict::Malformed,
                      "ends after " + groupedNumber(bytes.size()) +
                          " of its bytes: the download may have been cut short");
        return;
    case IntelHex::Problem::AfterEndRecord:
        findings.pass(records, groupedNumber(hex.records()) + " well-formed records");
        findings.fail(endRecord, hex.problemText(), Verdict::Malformed,
                      "goes on after its end-of-file record (" + hex.problemText() +
                          "): it may be two files joined together");
        return;
    case IntelHex::Problem::LoneCarriageReturn:
        findings.fail(records, hex.problemText(), Verdict::Malformed,
                      "ends its lines in a carriage return alone (from line " +
                          std::to_string(hex.problemLine()) +
                          "), as old Mac OS text files do, where Intel HEX needs LF or CR LF: "
                          "convert its line ends");
        return;
    case IntelHex::Problem::None:
        break;
    }
    findings.pass(records, groupedNumber(hex.records()) + " records, checksums correct");
    findings.pass(endRecord, "present");

    report.dataBytes = hex.dataBytes();
    const std::optional<IntelHex::Range> span = hex.span();
    const char* hasData = "Holds data";
    if (!span) {
        findings.fail(hasData, "no data records", Verdict::Malformed,
                      "holds no data: there is nothing to write");
        return;
    }
    report.addresses = ImageReport::AddressRange{span->start, span->end};
    findings.pass(hasData, groupedNumber(hex.dataBytes()) + " bytes");

    const std::string flash = memorySize(needs.flashSize) + " flash of " + needs.flashOwner;
    const char* insideFlash = "Inside the flash";
    if (const auto beyond = hex.firstAddressFrom(needs.flashSize)) {
        findings.fail(insideFlash, "data at " + hexAddress(*beyond), Verdict::Implausible,
                      "holds data at " + hexAddress(*beyond) + ", beyond the " + flash);
        return;
    }
    findings.pass(insideFlash, hexAddress(span->start) + " to " + hexAddress(span->end - 1) +
                                   ", inside the " + flash);
}

void checkVectorTable(std::string_view bytes, const ImageCheck::Requirements& needs,
                      Findings& findings) {
    const char* stackPointer = "Initial stack pointer";
    const char* resetHandler = "Reset handler";
    const std::string notLike =
        "does not start like an STM32 image for " + hexAddress(needs.loadAddress) + ": ";
    if (bytes.size() < 8) {
        const std::string detail = "the file is too short to hold one";
        const std::string reason =
            notLike + "it is too short to hold the vector table an STM32 starts from";
        findings.fail(stackPointer, detail, Verdict::Implausible, reason);
        findings.fail(resetHandler, detail, Verdict::Implausible, reason);
        return;
    }
    const std::uint32_t sp = littleEndianWord(bytes, 0);
    const bool inRam = std::any_of(std::begin(stackRams), std::end(stackRams),
                                   [&](const Ram& ram) { return ram.start < sp && sp <= ram.end; });
    if (sp % 4 != 0) {
        findings.fail(stackPointer, hexAddress(sp) + ", not word aligned", Verdict::Implausible,
                      notLike + "its initial stack pointer " + hexAddress(sp) +
                          " is not word aligned; it may not be firmware at all");
    } else if (!inRam) {
        findings.fail(stackPointer, hexAddress(sp) + ", outside RAM", Verdict::Implausible,
                      notLike + "its initial stack pointer " + hexAddress(sp) +
                          " lies outside RAM; it may be built for another chip, or not be "
                          "firmware at all");
    } else {
        findings.pass(stackPointer, hexAddress(sp) + ", in RAM");
    }

    const std::uint32_t reset = littleEndianWord(bytes, 4);
    const std::uint64_t first = needs.loadAddress;
    const std::uint64_t end = first + bytes.size();
    const std::uint64_t target = reset & ~std::uint32_t(1);
    if (reset % 2 == 0) {
        findings.fail(resetHandler, hexAddress(reset) + ", even", Verdict::Implausible,
                      notLike + "its reset handler " + hexAddress(reset) +
                          " is even, which no Cortex-M code address is");
    } else if (target < first || target >= end) {
        findings.fail(resetHandler, hexAddress(reset) + ", outside the image", Verdict::Implausible,
                      notLike + "its reset handler " + hexAddress(reset) +
                          " lies outside the image as written (" + hexAddress(first) + " to " +
                          hexAddress(end - 1) +
                          "); it may be built for another address, such as behind a boot loader");
    } else {
        findings.pass(resetHandler, hexAddress(reset) + ", inside the image");
    }
}

void checkBinary(std::string_view bytes, const ImageCheck::Requirements& needs, ImageReport& report,
                 Findings& findings) {
    const FileKind::Kind kind = FileKind::of(bytes);
    if (kind != FileKind::Kind::Binary) {
        refuseKind(kind, Format::Binary, findings);
        return;
    }
    findings.pass(rightKind, "binary data");
    report.dataBytes = bytes.size();
    report.addresses = ImageReport::AddressRange{needs.loadAddress,
                                                 needs.loadAddress + std::uint64_t(bytes.size())};

    const std::string size = groupedNumber(bytes.size()) + " bytes";
    const char* sizeCheck = "Size";
    const std::string flash = memorySize(needs.flashSize) + " flash of " + needs.flashOwner;
    if (bytes.size() > needs.flashSize) {
        findings.fail(sizeCheck, size + ", more than " + memorySize(needs.flashSize),
                      Verdict::Implausible, "is " + size + ", larger than the " + flash);
    } else {
        findings.pass(sizeCheck, size + ", at most " + memorySize(needs.flashSize));
    }

    checkVectorTable(bytes, needs, findings);

    if (needs.connectedFlash) {
        const char* fits = "Fits the connected module";
        const std::string room =
            memorySize(*needs.connectedFlash) + " from " + hexAddress(needs.loadAddress);
        if (bytes.size() > *needs.connectedFlash) {
            findings.fail(fits, size + ", more than " + room, Verdict::DoesNotFit,
                          "is " + size + ", larger than the connected module's flash (" + room +
                              "): choose the image for this module");
        } else {
            findings.pass(fits, size + ", at most " + room);
        }
    }
}

} // namespace

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
    needs.flashOwner = "the " + std::string(chip.name);
    return needs;
}

ImageCheck::Requirements ImageCheck::Requirements::forStm32(std::uint64_t largestFlash) {
    Requirements needs;
    needs.format = Format::Binary;
    needs.flashSize = largestFlash;
    needs.flashOwner = "the largest chip of the product's family";
    return needs;
}

ImageReport ImageCheck::checkFile(const std::string& path, std::string_view fileName,
                                  const Requirements& requirements, std::string* checkedBytes) {
    // An Intel HEX file takes under three characters a byte; anything far beyond that is no
    // image of any module here, and is not read into memory whole.
    const std::uint64_t largest = 4 * std::max<std::uint64_t>(requirements.flashSize, 1 << 20);
    std::error_code error;
    const std::uint64_t size = std::filesystem::file_size(path, error);
    ImageReport refused;
    refused.verdict = ImageReport::Verdict::Malformed;
    if (error) {
        refused.reason = quotedName(fileName) + " cannot be read: " + error.message();
        return refused;
    }
    if (size > largest) {
        refused.fileSize = size;
        refused.reason = quotedName(fileName) + " holds " + groupedNumber(size) +
                         " bytes, far more than any module's flash: it is not a firmware image";
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
        refused.reason = quotedName(fileName) + " cannot be read";
        return refused;
    }
    if (got > largest) {
        refused.reason = quotedName(fileName) + " holds more than " + groupedNumber(largest) +
                         " bytes, far more than any module's flash: it is not a firmware image";
        return refused;
    }
    bytes.resize(got);
    ImageReport report = check(bytes, fileName, requirements);
    if (checkedBytes)
        *checkedBytes = std::move(bytes);
    return report;
}

ImageReport ImageCheck::check(std::string_view bytes, std::string_view fileName,
                              const Requirements& requirements) {
    ImageReport report;
    report.format = requirements.format == Format::IntelHex ? "Intel HEX" : "binary";
    report.fileSize = bytes.size();
    report.sha256 = Sha256::hex(bytes);
    Findings findings(report, fileName);
    if (!checkNotEmpty(bytes, findings))
        return report;
    if (requirements.format == Format::IntelHex)
        checkIntelHex(bytes, requirements, report, findings);
    else
        checkBinary(bytes, requirements, report, findings);
    return report;
}

} // namespace modflash
