// SPDX-License-Identifier: GPL-3.0-or-later
// OpenocdProgressParser over any output.
#include "OpenocdProgressParser.h"
#include "ToolOutput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return modflash::fuzz::readToolOutput<modflash::OpenocdProgressParser>(data, size);
}
