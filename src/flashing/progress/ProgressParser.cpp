#include "ProgressParser.h"

#include "AvrdudeProgressParser.h"
#include "DfuUtilProgressParser.h"
#include "OpenocdProgressParser.h"

namespace modflash {

const char* stateName(Progress::State state) {
    switch (state) {
    case Progress::State::Running:
        return "running";
    case Progress::State::Done:
        return "done";
    case Progress::State::Failed:
        return "failed";
    }
    return "unknown";
}

ProgressParser::ProgressParser()
    : m_progress{"Starting", Progress::indeterminate, Progress::State::Running} {}

ProgressParser::~ProgressParser() = default;

std::unique_ptr<ProgressParser> ProgressParser::forFamily(std::string_view family) {
    if (family == "avr")
        return std::make_unique<AvrdudeProgressParser>();
    if (family == "dfu")
        return std::make_unique<DfuUtilProgressParser>();
    if (family == "swd")
        return std::make_unique<OpenocdProgressParser>();
    return nullptr;
}

void ProgressParser::feed(std::string_view chunk) {
    consumeChunk(chunk);
}

void ProgressParser::update(Progress next) {
    if (next == m_progress)
        return;
    m_progress = std::move(next);
    if (m_listener)
        m_listener(m_progress);
}

} // namespace modflash
