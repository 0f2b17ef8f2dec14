#pragma once

#include "Progress.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace modflash::testing {

// A file of tests/data/tool-output, whole.
std::string toolOutput(const std::string& name);

// Every progress value a fresh parser for the family reports while it is fed the chunks.
std::vector<Progress> progressSequence(std::string_view family,
                                       const std::vector<std::string_view>& chunks);

// The distinct phase names of a sequence, in order of first appearance.
std::vector<std::string> phasesOf(const std::vector<Progress>& sequence);

} // namespace modflash::testing

namespace modflash {
void PrintTo(const Progress& progress, std::ostream* out);
}
