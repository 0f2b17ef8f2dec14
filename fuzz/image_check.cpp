// SPDX-License-Identifier: GPL-3.0-or-later
// Any file checked as an AVR image (Intel HEX for an ATtiny85) and as an STM32 binary image,
// with and without the connected module's flash known; and what kind of file it is.
#include "Fuzz.h"
#include "flashing/AvrChips.h"
#include "flashing/FileKind.h"
#include "flashing/ImageCheck.h"
#include "flashing/Wording.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace modflash;
    const std::string_view bytes = fuzz::text(data, size);
    const auto avr = ImageCheck::check(
        bytes, "image.hex",
        ImageCheck::Requirements::forAvrChip(AvrChips::chip(AvrChipId::attiny85)));
    auto stm32 = ImageCheck::Requirements::forStm32(1 << 20);
    const auto binary = ImageCheck::check(bytes, "image.bin", stm32);
    stm32.connectedFlash = 16384;
    const auto connected = ImageCheck::check(bytes, "image.bin", stm32);
    for (const auto* report : {&avr, &binary, &connected})
        fuzz::require(report->accepted() == report->reason.empty());
    (void)FileKind::description(FileKind::of(bytes), Wording::english());
    return 0;
}
