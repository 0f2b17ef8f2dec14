// SPDX-License-Identifier: GPL-3.0-or-later
// AvrdudeProgressParser over any output.
#include "ToolOutput.h"
#include "flashing/output/AvrdudeProgressParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return modflash::fuzz::readToolOutput<modflash::AvrdudeProgressParser>(data, size);
}
