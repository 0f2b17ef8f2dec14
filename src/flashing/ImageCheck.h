// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/AvrChips.h"
#include "flashing/ImageReport.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace modflash {

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
        // Whose flash that is, for reasons: "the ATtiny85".
        std::string flashOwner;
        // Binary: where the image is written, and so where its vector table must point.
        std::uint32_t loadAddress = 0x08000000;
        // Binary: how many bytes the connected module can take from loadAddress on (from its
        // boot loader's memory layout, DfuseLayout::writableFrom), once it is known.
        std::optional<std::uint64_t> connectedFlash;

        static Requirements forAvrChip(const AvrChip& chip);
        // largestFlash: the largest flash of the family's chips.
        static Requirements forStm32(std::uint64_t largestFlash);
    };

    // fileName names the file in reasons; bytes are the whole file.
    static ImageReport check(std::string_view bytes, std::string_view fileName,
                             const Requirements& requirements);
    // Reads the file at path and checks it; a file that cannot be read, or is far too large
    // to be any module's image, is malformed with the reason. checkedBytes, when given,
    // receives the bytes the verdict is about.
    static ImageReport checkFile(const std::string& path, std::string_view fileName,
                                 const Requirements& requirements,
                                 std::string* checkedBytes = nullptr);
};

} // namespace modflash
