// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/AvrChips.h"
#include "flashing/FileKind.h"
#include "flashing/ImageReport.h"
#include "flashing/Wording.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace modflash {

class ImageFindings;
class IntelHex;

// Reads a firmware image before the flashing tool does and decides whether it may be written
// to the product: an Intel HEX file for AVR-based products (avrdude), a binary image for
// STM32-based ones (dfu-util and openocd, which write it at 0x08000000).
class ImageCheck {
public:
    struct Requirements {
        enum class Format { IntelHex, Binary };

        Format format = Format::Binary;
        // Intel HEX: the chip's flash, where all data must lie (from address 0). Binary: the
        // most an image may hold, the largest flash of the family's chips.
        std::uint64_t flashSize = 0;
        // The chip whose flash that is, for reasons: "ATtiny85"; none for the family's largest.
        std::string chip;
        // Binary: where the image is written, and so where its vector table must point.
        std::uint32_t loadAddress = 0x08000000;
        // Binary: how many bytes the connected module can take from loadAddress on (from its
        // boot loader's memory layout, DfuseLayout::writableFrom), once it is known.
        std::optional<std::uint64_t> connectedFlash;

        static Requirements forAvrChip(const AvrChip& chip);
        // largestFlash: the largest flash of the family's chips.
        static Requirements forStm32(std::uint64_t largestFlash);
    };

    // fileName names the file in reasons; bytes are the whole file. The report's texts are in
    // the wording given: the user's, or English for scripts.
    static ImageReport check(std::string_view bytes, std::string_view fileName,
                             const Requirements& requirements,
                             const Wording& wording = Wording::user());
    // Reads the file at path and checks it; a file that cannot be read, or is far too large
    // to be any module's image, is malformed with the reason. checkedBytes, when given,
    // receives the bytes the verdict is about.
    static ImageReport checkFile(const std::string& path, std::string_view fileName,
                                 const Requirements& requirements,
                                 std::string* checkedBytes = nullptr,
                                 const Wording& wording = Wording::user());

private:
    static bool checkNotEmpty(std::string_view bytes, ImageFindings& findings);
    static void refuseKind(FileKind::Kind kind, Requirements::Format format,
                           ImageFindings& findings);
    static void checkIntelHex(std::string_view bytes, const Requirements& needs,
                              ImageReport& report, ImageFindings& findings);
    static void checkInsideFlash(const IntelHex& hex, const Requirements& needs,
                                 ImageFindings& findings);
    static void checkBinary(std::string_view bytes, const Requirements& needs, ImageReport& report,
                            ImageFindings& findings);
    static void checkVectorTable(std::string_view bytes, const Requirements& needs,
                                 ImageFindings& findings);
    static void checkFits(std::string_view bytes, const Requirements& needs,
                          ImageFindings& findings);
    // "16 KiB flash of the ATmega168"
    static std::string flashText(const Requirements& needs, const ImageFindings& findings);
};

} // namespace modflash
