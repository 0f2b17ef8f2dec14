// SPDX-License-Identifier: GPL-3.0-or-later
// DfuUtilProgressParser over any output.
#include "ToolOutput.h"
#include "flashing/output/DfuUtilProgressParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return modflash::fuzz::readToolOutput<modflash::DfuUtilProgressParser>(data, size);
}
