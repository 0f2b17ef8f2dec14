// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/output/ProgressParser.h"

#include "flashing/output/ToolOutputLines.h"

namespace modflash {

const char* stateName(Progress::State state) {
    switch (state) {
    case Progress::State::Running:
        return "running";
    case Progress::State::Done:
        return "done";
    case Progress::State::Failed:
        return "failed";
    case Progress::State::Stopped:
        return "stopped";
    }
    return "unknown";
}

ProgressParser::ProgressParser()
    : m_progress{Phase::Starting, Progress::indeterminate, Progress::State::Running} {}

ProgressParser::~ProgressParser() = default;

void ProgressParser::feed(std::string_view chunk) {
    // Line by line, so that an error line is judged with the progress as it stood when the
    // tool printed it, not as it stands at the end of the chunk.
    for (std::size_t from = 0; from < chunk.size();) {
        const std::size_t end = chunk.find_first_of("\r\n", from);
        if (end == std::string_view::npos) {
            consumeChunk(chunk.substr(from));
            m_line.append(chunk.substr(from));
            return;
        }
        consumeChunk(chunk.substr(from, end + 1 - from));
        m_line.append(chunk.substr(from, end - from));
        lineEnded();
        from = end + 1;
    }
}

void ProgressParser::finish() {
    if (m_line.empty())
        return;
    consumeChunk("\n");
    lineEnded();
}

void ProgressParser::lineEnded() {
    // Whole characters only, so that an error line cut short still reads as text.
    const std::string_view line = m_line.wholeCharacters();
    if (m_accessError.empty())
        for (const std::string& phrase : m_accessPhrases)
            if (contains(line, phrase)) {
                m_accessError = std::string(trimmed(line));
                break;
            }
    const auto error = errorIn(line);
    if (error) {
        m_lastError = std::string(*error);
        if (wholeImageWritten())
            m_errorAfterImage = m_lastError;
    }
    m_line.clear();
}

std::optional<std::string_view> ProgressParser::errorIn(std::string_view line) const {
    line = trimmed(line);
    if (containsIgnoringCase(line, "error") || containsIgnoringCase(line, "failed"))
        return line;
    return std::nullopt;
}

void ProgressParser::consumeChunk(std::string_view) {}

void ProgressParser::update(Progress next) {
    if (next == m_progress)
        return;
    m_progress = std::move(next);
    if (m_listener)
        m_listener(m_progress);
}

} // namespace modflash
