// SPDX-License-Identifier: GPL-3.0-or-later
// A DfuSe interface name of any content, as a boot loader may report it.
#include "Fuzz.h"
#include "flashing/DfuseLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace modflash;
    const std::string_view descriptor = fuzz::text(data, size);
    const auto parsed = DfuseLayout::parse(descriptor);
    if (const auto* layout = std::get_if<DfuseLayout>(&parsed)) {
        fuzz::require(!layout->segments().empty());
        fuzz::require(layout->writableFrom(layout->start()) <= layout->totalSize());
        (void)layout->writableFrom(0x08000000);
    }
    (void)DfuseLayout::flashForImages(descriptor);
    return 0;
}
