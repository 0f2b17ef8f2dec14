// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/output/DfuUtilProgressParser.h"

#include "flashing/output/ToolOutputLines.h"

#include <cctype>
#include <optional>
#include <string>

namespace modflash {

namespace {

// The phase of a bar by its label; none for a label this reader does not know.
std::optional<Phase> phaseForBar(std::string_view label) {
    if (label == "Erase")
        return Phase::Erasing;
    if (label == "Download")
        return Phase::DownloadingToModule;
    if (label == "Upload")
        return Phase::Reading;
    return std::nullopt;
}

} // namespace

std::optional<std::string_view> DfuUtilProgressParser::errorIn(std::string_view line) const {
    const auto message = dfuUtilMessage(trimmed(line));
    if (!message)
        return std::nullopt;
    const std::string_view text = message->substr(message->find(": ") + 2);
    // The notice that follows the suffix warning is part of that warning.
    if (text.starts_with("Warning") || text.starts_with("A valid DFU suffix will be required"))
        return std::nullopt;
    return message;
}

void DfuUtilProgressParser::consumeChunk(std::string_view chunk) {
    // A bar's percentage is read as soon as its "%" arrives, not only at the redraw's "\r".
    for (std::size_t from = 0; from < chunk.size();) {
        const std::size_t stop = chunk.find_first_of("\r\n%", from);
        if (stop == std::string_view::npos) {
            m_segment.append(chunk.substr(from));
            return;
        }
        if (chunk[stop] == '%') {
            m_segment.append(chunk.substr(from, stop + 1 - from));
            percentSign();
        } else {
            m_segment.append(chunk.substr(from, stop - from));
            segmentEnded();
            m_segment.clear();
        }
        from = stop + 1;
    }
}

void DfuUtilProgressParser::percentSign() {
    // "<label>\t[<bar>] <percent>%": the label, then a bracketed bar, then the number.
    const std::string_view text = m_segment.text();
    const std::size_t tab = text.find('\t');
    const std::size_t close = text.rfind(']');
    if (tab == std::string_view::npos || close == std::string_view::npos || close < tab ||
        text.substr(tab + 1, 1) != "[")
        return;
    const std::optional<Phase> phase = phaseForBar(trimmed(text.substr(0, tab)));
    std::string_view number = trimmed(text.substr(close + 1, text.size() - close - 2));
    if (!phase || number.empty() || number.size() > 3)
        return;
    for (char digit : number)
        if (!std::isdigit(static_cast<unsigned char>(digit)))
            return;
    const int percent = std::min(100, std::stoi(std::string(number)));
    if (progress().state == Progress::State::Failed)
        return;
    update({*phase, percent, percent == 100 ? Progress::State::Done : Progress::State::Running});
}

void DfuUtilProgressParser::segmentEnded() {
    const std::string_view text = trimmed(m_segment.text());
    if (text.empty())
        return;
    if (text.starts_with("Opening DFU capable USB device")) {
        update({Phase::Connecting, Progress::indeterminate, Progress::State::Running});
    } else if (text.starts_with("Performing mass erase")) {
        update({Phase::MassErasing, Progress::indeterminate, Progress::State::Running});
    } else if (text == "Download done." || text.starts_with("File downloaded successfully")) {
        m_downloadComplete = true;
        update({Phase::DownloadingToModule, 100, Progress::State::Done});
    } else if (text.starts_with("Submitting leave request")) {
        m_leaveRequested = m_downloadComplete;
    } else if (!m_downloadComplete && errorIn(text)) {
        Progress failed = progress();
        failed.state = Progress::State::Failed;
        update(std::move(failed));
    }
}

} // namespace modflash
