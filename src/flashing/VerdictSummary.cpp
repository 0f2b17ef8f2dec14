// SPDX-License-Identifier: GPL-3.0-or-later
#include "VerdictSummary.h"

namespace modflash {

VerdictSummary::VerdictSummary(const FamilyProfile& profile)
    : m_profile(profile)
    , m_parser(profile.progressParser()) {}

VerdictSummary::~VerdictSummary() = default;

void VerdictSummary::feed(std::string_view chunk) {
    if (!m_end)
        m_parser->feed(chunk);
}

void VerdictSummary::toolEnded(const ToolEnd& end) {
    if (m_end)
        return;
    // The last line may lack its line break.
    m_parser->finish();
    m_end = end;
}

bool VerdictSummary::imageWrittenBeforeFailure() const {
    return m_end && m_end->toolRan() && m_parser->wholeImageWritten();
}

VerdictSummary::Banner VerdictSummary::banner() const {
    using Kind = Banner::Kind;
    if (!m_end)
        return {Kind::Running, runningText()};
    if (m_end->succeeded())
        return {Kind::Completed, "Update completed"};
    if (imageWrittenBeforeFailure())
        return {Kind::WrittenThenFailed, writtenThenFailedText()};
    return {Kind::Failed, failureText()};
}

std::string VerdictSummary::runningText() const {
    const Progress& now = m_parser->progress();
    std::string text = "Updating: ";
    text += now.phase;
    if (!now.isIndeterminate()) {
        text += ' ';
        text += std::to_string(now.percent);
        text += '%';
    }
    return text;
}

std::string VerdictSummary::failureText() const {
    const std::string& lastError = m_parser->lastErrorLine();
    std::string what;
    switch (m_end->kind) {
    case ToolEnd::Kind::CouldNotRun:
        return "Update failed: " + m_end->reason;
    case ToolEnd::Kind::Refused:
        return "Update refused: " + m_end->reason;
    case ToolEnd::Kind::Stopped:
        return "Update stopped: " + m_profile.tool() + " was stopped before it finished";
    case ToolEnd::Kind::Crashed:
        what = m_profile.tool() + " ended abnormally before it finished" +
               (lastError.empty() ? std::string() : " (" + lastError + ")");
        break;
    case ToolEnd::Kind::Failed:
    case ToolEnd::Kind::Completed:
        what = !lastError.empty() ? lastError
                                  : m_profile.tool() + " ended with exit status " +
                                        std::to_string(m_end->exitStatus);
        break;
    }
    // What to try, in plain words, by what the tool last said went wrong.
    const std::string advice = m_profile.advice(lastError);
    if (advice.empty())
        return "Update failed: " + what;
    return "Update failed: " + what + (what.ends_with('.') ? " " : ". ") + advice;
}

std::string VerdictSummary::writtenThenFailedText() const {
    std::string text = "The image was written completely; " + m_profile.tool() +
                       " reported an error only after the download had finished";
    if (m_parser->leavingBootLoader())
        text += ", while leaving DFU mode";
    const std::string& late = m_parser->errorAfterImageWritten();
    if (!late.empty())
        text += " (" + late + ")";
    else if (m_end->kind == ToolEnd::Kind::Stopped)
        text += " (it was stopped)";
    else if (m_end->kind == ToolEnd::Kind::Crashed)
        text += " (it ended abnormally)";
    else
        text += " (exit status " + std::to_string(m_end->exitStatus) + ")";
    return text + ". Restart the module to run the new firmware.";
}

Progress VerdictSummary::progress() const {
    Progress now = m_parser->progress();
    if (!m_end)
        return now;
    if (m_end->succeeded()) {
        now.percent = 100;
        now.state = Progress::State::Done;
    } else if (!imageWrittenBeforeFailure()) {
        now.state = Progress::State::Failed;
    }
    return now;
}

void VerdictSummary::setProgressListener(ProgressParser::Listener listener) {
    m_parser->setListener(std::move(listener));
}

} // namespace modflash
