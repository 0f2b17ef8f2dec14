// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Fuzz.h"
#include "flashing/output/ProgressParser.h"
#include "flashing/output/ToolOutputLines.h"

// A tool's output read by its reader whole and in pieces (of 1 to 16 bytes, by its length):
// however the output is cut, the reader must come to the same progress and error lines.
namespace modflash::fuzz {

template <typename Reader> int readToolOutput(const std::uint8_t* data, std::size_t size) {
    const std::string_view output = text(data, size);
    Reader whole;
    whole.feed(output);
    whole.finish();
    Reader cut;
    inPieces(output, pieceSize(size), [&](std::string_view piece) { cut.feed(piece); });
    cut.finish();
    require(whole.progress() == cut.progress());
    require(whole.lastErrorLine() == cut.lastErrorLine());
    require(whole.errorAfterImageWritten() == cut.errorAfterImageWritten());
    require(whole.wholeImageWritten() == cut.wholeImageWritten());
    require(whole.leavingBootLoader() == cut.leavingBootLoader());
    (void)whole.errorIn(output);
    (void)dfuUtilMessage(output);
    return 0;
}

} // namespace modflash::fuzz
