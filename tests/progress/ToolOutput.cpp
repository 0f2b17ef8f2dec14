#include "ToolOutput.h"

#include "ProgressParser.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace modflash::testing {

std::string toolOutput(const std::string& name) {
    const std::string path = std::string(MODFLASH_TOOL_OUTPUT_DIR) + "/" + name;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<Progress> progressSequence(std::string_view family,
                                       const std::vector<std::string_view>& chunks) {
    auto parser = ProgressParser::forFamily(family);
    std::vector<Progress> sequence{parser->progress()};
    parser->setListener([&](const Progress& progress) { sequence.push_back(progress); });
    for (auto chunk : chunks)
        parser->feed(chunk);
    return sequence;
}

std::vector<std::string> phasesOf(const std::vector<Progress>& sequence) {
    std::vector<std::string> phases;
    for (const auto& progress : sequence)
        if (std::find(phases.begin(), phases.end(), progress.phase) == phases.end())
            phases.push_back(progress.phase);
    return phases;
}

} // namespace modflash::testing

namespace modflash {

void PrintTo(const Progress& progress, std::ostream* out) {
    *out << "{\"" << progress.phase << "\", " << progress.percent << ", "
         << stateName(progress.state) << "}";
}

} // namespace modflash
