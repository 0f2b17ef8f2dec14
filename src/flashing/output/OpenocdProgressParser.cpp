// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/output/OpenocdProgressParser.h"

#include "flashing/output/ToolOutputLines.h"

namespace modflash {

std::optional<std::string_view> OpenocdProgressParser::errorIn(std::string_view line) const {
    line = trimmed(line);
    if (line.starts_with("Error"))
        return line;
    return std::nullopt;
}

void OpenocdProgressParser::consumeChunk(std::string_view chunk) {
    m_line.takeChunk(chunk, [this] { lineEnded(); });
}

void OpenocdProgressParser::lineEnded() {
    const std::string_view line = trimmed(m_line.text());
    if (line.empty())
        return;
    using State = Progress::State;
    constexpr int busy = Progress::indeterminate;
    // openocd goes on printing after an error ("auto erase enabled" comes after a failed
    // erase); none of it undoes the failure.
    if (progress().state == State::Failed)
        return;
    if (line.starts_with("Open On-Chip Debugger")) {
        update({Phase::Connecting, busy, State::Running});
    } else if (line.starts_with("Info : device id =") || line.starts_with("Info : flash size =") ||
               line == "auto erase enabled") {
        update({Phase::ErasingAndWriting, busy, State::Running});
    } else if (line.starts_with("wrote ") && contains(line, " bytes from file ")) {
        update({Phase::Verifying, busy, State::Running});
    } else if (line.starts_with("verified ") && contains(line, " bytes")) {
        update({Phase::Verifying, 100, State::Done});
    } else if (errorIn(line)) {
        Progress failed = progress();
        failed.state = State::Failed;
        update(std::move(failed));
    }
}

} // namespace modflash
