// SPDX-License-Identifier: GPL-3.0-or-later
// avrdude's output of any content read for the chip's signature, whole and in pieces (of 1 to
// 16 bytes, by its length): however it is cut, the reading must be the same.
#include "Fuzz.h"
#include "flashing/AvrSignature.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace modflash;
    const std::string_view output = fuzz::text(data, size);
    AvrSignatureReader cut;
    fuzz::inPieces(output, fuzz::pieceSize(size), [&](std::string_view piece) { cut.feed(piece); });
    cut.finish();
    fuzz::require(cut.reading() == AvrSignatureReader::read(output));
    return 0;
}
