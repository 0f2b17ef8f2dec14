// SPDX-License-Identifier: GPL-3.0-or-later
// The line a tool prints, kept to a limit (0 to 63 bytes, by its length) and cut back to whole
// characters; and the generic reader, which takes any "error" line.
#include "ToolOutput.h"
#include "flashing/output/BoundedLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace modflash;
    BoundedLine line(size % 64);
    line.takeChunk(fuzz::text(data, size), [&] {
        const std::string_view kept = line.wholeCharacters();
        fuzz::require(kept.size() <= line.text().size() && line.text().starts_with(kept));
    });
    (void)line.wholeCharacters();
    (void)trimmed(line.text());
    return fuzz::readToolOutput<ProgressParser>(data, size);
}
