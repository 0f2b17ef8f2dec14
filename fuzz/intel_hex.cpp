// SPDX-License-Identifier: GPL-3.0-or-later
// An Intel HEX file of any content.
#include "Fuzz.h"
#include "flashing/IntelHex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace modflash;
    const IntelHex hex = IntelHex::read(fuzz::text(data, size));
    const auto span = hex.span();
    fuzz::require(!span || (span->start < span->end && hex.dataBytes() > 0));
    if (span)
        fuzz::require(hex.firstAddressFrom(span->start) == span->start);
    (void)hex.firstAddressFrom(0x8000);
    return 0;
}
