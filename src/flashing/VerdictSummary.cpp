// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/VerdictSummary.h"

#include "flashing/DeviceRequirement.h"
#include "flashing/TextLookup.h"
#include "flashing/UsbAccess.h"

namespace modflash {

namespace {

std::string tr(const char* text) {
    return translated("modflash::VerdictSummary", text);
}

} // namespace

VerdictSummary::VerdictSummary(const FamilyProfile& profile)
    : m_profile(profile)
    , m_parser(profile.outputReader()) {}

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
        return {Kind::Completed, tr("Update completed")};
    if (imageWrittenBeforeFailure())
        return {Kind::WrittenThenFailed, writtenThenFailedText()};
    return {Kind::Failed, failureText()};
}

std::string VerdictSummary::runningText() const {
    const Progress& now = m_parser->progress();
    std::string phase = now.phaseText();
    if (!now.isIndeterminate())
        phase = substituted(tr("%1 %2%"), {phase, std::to_string(now.percent)});
    return substituted(tr("Updating: %1"), {phase});
}

std::string VerdictSummary::failureText() const {
    // The tool goes on to say it found no device, but the device is there: access comes first.
    if (m_end->kind == ToolEnd::Kind::Failed && accessDenied())
        return accessDeniedText();
    const std::string& lastError = m_parser->lastErrorLine();
    std::string what;
    switch (m_end->kind) {
    case ToolEnd::Kind::CouldNotRun:
    case ToolEnd::Kind::Unreachable:
        return substituted(tr("Update failed: %1"), {m_end->reason});
    case ToolEnd::Kind::Refused:
        return substituted(tr("Update refused: %1"), {m_end->reason});
    case ToolEnd::Kind::Stopped:
        if (m_end->downloading)
            return tr("Update stopped while the firmware was being downloaded: nothing was "
                      "written");
        if (!m_end->writeStarted)
            return tr("Update stopped while the module was being checked: nothing was written");
        return substituted(tr("Update stopped: %1 was stopped before it finished"),
                           {m_profile.tool()});
    case ToolEnd::Kind::Crashed:
        what = lastError.empty()
                   ? substituted(tr("%1 ended abnormally before it finished"), {m_profile.tool()})
                   : substituted(tr("%1 ended abnormally before it finished (%2)"),
                                 {m_profile.tool(), lastError});
        break;
    case ToolEnd::Kind::Failed:
        // A module check that could not read the module says why, and what to do, itself.
        if (!m_end->reason.empty())
            return substituted(tr("Update failed: %1 Nothing was written."), {m_end->reason});
        [[fallthrough]];
    case ToolEnd::Kind::Completed:
        what = !lastError.empty()
                   ? lastError
                   : substituted(tr("%1 ended with exit status %2"),
                                 {m_profile.tool(), std::to_string(m_end->exitStatus)});
        break;
    }
    // What to try, in plain words, by what the tool last said went wrong.
    const std::string advice = m_profile.advice(lastError);
    if (advice.empty())
        return substituted(tr("Update failed: %1"), {what});
    return substituted(tr("Update failed: %1 %2"),
                       {what.ends_with('.') ? what : what + '.', advice});
}

std::string VerdictSummary::accessDeniedText() const {
    std::string line = m_parser->accessErrorLine();
    if (!line.ends_with('.'))
        line += '.';
    std::string text = substituted(
        tr("Update failed: %1 %2"),
        {line, m_accessAdvice.empty() ? UsbAccess().advice(std::nullopt) : m_accessAdvice});
    if (!m_end->writeStarted)
        text += ' ' + tr("Nothing was written.");
    return text;
}

std::string VerdictSummary::writtenThenFailedText() const {
    // What the tool said after the image, else how it ended.
    std::string detail = m_parser->errorAfterImageWritten();
    if (detail.empty() && m_end->kind == ToolEnd::Kind::Stopped)
        detail = tr("it was stopped");
    else if (detail.empty() && m_end->kind == ToolEnd::Kind::Crashed)
        detail = tr("it ended abnormally");
    else if (detail.empty())
        detail = substituted(tr("exit status %1"), {std::to_string(m_end->exitStatus)});
    return substituted(
        m_parser->leavingBootLoader()
            ? tr("The image was written completely; %1 reported an error only after the download "
                 "had finished, while leaving DFU mode (%2). Restart the module to run the new "
                 "firmware.")
            : tr("The image was written completely; %1 reported an error only after the download "
                 "had finished (%2). Restart the module to run the new firmware."),
        {m_profile.tool(), detail});
}

Progress VerdictSummary::progress() const {
    Progress now = m_parser->progress();
    if (!m_end)
        return now;
    // An end whose output showed no phase names none: the tool never got to one.
    if (now.phase == Phase::Starting)
        now.phase = Phase::None;
    if (m_end->succeeded()) {
        now.percent = 100;
        now.state = Progress::State::Done;
    } else if (!imageWrittenBeforeFailure()) {
        now.state = m_end->kind == ToolEnd::Kind::Stopped ? Progress::State::Stopped
                                                          : Progress::State::Failed;
    }
    return now;
}

void VerdictSummary::setProgressListener(ProgressParser::Listener listener) {
    m_parser->setListener(std::move(listener));
}

} // namespace modflash
