// SPDX-License-Identifier: GPL-3.0-or-later
// A tool's output of any bytes turned into the log's text, whole and in pieces (of 1 to 16
// bytes, by its length): the text is UTF-8, the same however the bytes were cut, and the bytes
// themselves exactly when they were UTF-8.
#include "Fuzz.h"
#include "flashing/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace modflash;
    const std::string_view bytes = fuzz::text(data, size);
    std::string whole, cut;
    Utf8Stream once, inPieces;
    once.decode(bytes, whole);
    once.finish(whole);
    fuzz::inPieces(bytes, fuzz::pieceSize(size),
                   [&](std::string_view piece) { inPieces.decode(piece, cut); });
    inPieces.finish(cut);
    fuzz::require(cut == whole);
    fuzz::require(isValidUtf8(whole));
    fuzz::require(isValidUtf8(bytes) == (whole == bytes));
    return 0;
}
