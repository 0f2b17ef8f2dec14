#include "VerdictSummary.h"

#include "ToolOutputLines.h"

namespace modflash {

namespace {

std::string toolForFamily(std::string_view family) {
    if (family == "avr")
        return "avrdude";
    if (family == "dfu")
        return "dfu-util";
    if (family == "swd")
        return "openocd";
    return "The flashing tool";
}

} // namespace

VerdictSummary::VerdictSummary(std::string_view family)
    : m_family(family)
    , m_toolName(toolForFamily(family))
    , m_parser(ProgressParser::forFamily(family))
    , m_fallbackProgress{"Updating", Progress::indeterminate, Progress::State::Running} {}

VerdictSummary::~VerdictSummary() = default;

void VerdictSummary::feed(std::string_view chunk) {
    if (m_parser)
        m_parser->feed(chunk);
    m_line.takeChunk(chunk, [this] { lineEnded(); });
}

void VerdictSummary::lineEnded() {
    // Whole characters only, so that an error line cut short still reads as text.
    const std::string_view line = trimmed(m_line.wholeCharacters());
    if (line.empty())
        return;
    if (m_family == "dfu") {
        if (line == "Download done." || line.starts_with("File downloaded successfully"))
            m_downloadComplete = true;
        else if (line.starts_with("Submitting leave request"))
            m_leaveRequested = m_downloadComplete;
    }
    const auto error = errorLine(m_family, line);
    if (!error)
        return;
    m_lastError = std::string(*error);
    if (m_downloadComplete)
        m_errorAfterDownload = m_lastError;
}

void VerdictSummary::toolExited(int exitStatus) {
    m_exitStatus = exitStatus;
    ended(End::Exited);
}

void VerdictSummary::toolCrashed() {
    ended(End::Crashed);
}

void VerdictSummary::toolStopped() {
    ended(End::Stopped);
}

void VerdictSummary::ended(End end) {
    // The last line may lack its line break.
    if (!m_line.empty())
        lineEnded();
    m_line.clear();
    m_end = end;
}

void VerdictSummary::toolFailedToStart(std::string reason) {
    m_end = End::FailedToStart;
    m_startFailure = std::move(reason);
}

bool VerdictSummary::imageWrittenBeforeFailure() const {
    return m_family == "dfu" && m_downloadComplete && m_end != End::None &&
           m_end != End::FailedToStart;
}

VerdictSummary::Banner VerdictSummary::banner() const {
    using Kind = Banner::Kind;
    if (m_end == End::None)
        return {Kind::Running, runningText()};
    if (m_end == End::Exited && m_exitStatus == 0)
        return {Kind::Completed, "Update completed"};
    if (imageWrittenBeforeFailure())
        return {Kind::WrittenThenFailed, writtenThenFailedText()};
    return {Kind::Failed, failureText()};
}

std::string VerdictSummary::runningText() const {
    if (!m_parser)
        return "Updating";
    const Progress now = progress();
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
    switch (m_end) {
    case End::FailedToStart:
        return "Update failed: " + m_startFailure;
    case End::Stopped:
        return "Update stopped: " + m_toolName + " was stopped before it finished";
    case End::Crashed:
        return "Update failed: " + m_toolName + " ended abnormally before it finished" +
               (m_lastError.empty() ? std::string() : " (" + m_lastError + ")");
    default:
        if (!m_lastError.empty())
            return "Update failed: " + m_lastError;
        return "Update failed: " + m_toolName + " ended with exit status " +
               std::to_string(m_exitStatus);
    }
}

std::string VerdictSummary::writtenThenFailedText() const {
    std::string text = "The image was written completely; dfu-util reported an error only after "
                       "the download had finished";
    if (m_leaveRequested)
        text += ", while leaving DFU mode";
    if (!m_errorAfterDownload.empty())
        text += " (" + m_errorAfterDownload + ")";
    else if (m_end == End::Stopped)
        text += " (it was stopped)";
    else if (m_end == End::Crashed)
        text += " (it ended abnormally)";
    else
        text += " (exit status " + std::to_string(m_exitStatus) + ")";
    return text + ". Restart the module to run the new firmware.";
}

Progress VerdictSummary::progress() const {
    Progress now = m_parser ? m_parser->progress() : m_fallbackProgress;
    if (m_end == End::None)
        return now;
    if (m_end == End::Exited && m_exitStatus == 0) {
        now.percent = 100;
        now.state = Progress::State::Done;
    } else if (!imageWrittenBeforeFailure()) {
        now.state = Progress::State::Failed;
    }
    return now;
}

void VerdictSummary::setProgressListener(ProgressParser::Listener listener) {
    if (m_parser)
        m_parser->setListener(std::move(listener));
}

} // namespace modflash
