#pragma once

#include "BoundedLine.h"
#include "Progress.h"
#include "ProgressParser.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace modflash {

// The one line a person reads at a glance about an update: what the tool is doing while it
// runs, and afterwards whether the update worked and, if not, the tool's own reason. The exit
// status alone decides success; the output only explains. Keeps no more of the output than
// the line being printed and the last error line, however much the tool prints.
class VerdictSummary {
public:
    struct Banner {
        enum class Kind { Running, Completed, Failed, WrittenThenFailed };
        Kind kind = Kind::Running;
        std::string text;
    };

    // family: "avr", "dfu" or "swd" (another family gets no progress, only the verdict).
    explicit VerdictSummary(std::string_view family);
    ~VerdictSummary();

    VerdictSummary(const VerdictSummary&) = delete;
    VerdictSummary& operator=(const VerdictSummary&) = delete;

    void feed(std::string_view chunk);

    void toolExited(int exitStatus);
    // The tool ended by a signal it did not ask for: a crash, or another program's kill.
    void toolCrashed();
    // The tool ended because the user stopped it, whatever its exit status.
    void toolStopped();
    // The tool never ran; reason says why ("avrdude could not be started: No such file...").
    void toolFailedToStart(std::string reason);

    bool hasEnded() const { return m_end != End::None; }
    Banner banner() const;

    // The tool's progress; once the tool has ended, the final state that the verdict decides.
    Progress progress() const;
    // Forwards each progress change while output is fed (not the final state: read progress()
    // after the verdict).
    void setProgressListener(ProgressParser::Listener listener);

    // The last line that reported an error, as the tool printed it; empty when none.
    const std::string& lastErrorLine() const { return m_lastError; }
    // dfu-util only: the output shows the whole image downloaded.
    bool downloadComplete() const { return m_downloadComplete; }

private:
    enum class End { None, Exited, Crashed, Stopped, FailedToStart };

    void lineEnded();
    void ended(End end);
    bool imageWrittenBeforeFailure() const;
    std::string failureText() const;
    std::string writtenThenFailedText() const;
    std::string runningText() const;

    std::string m_family;
    std::string m_toolName;
    std::unique_ptr<ProgressParser> m_parser;
    Progress m_fallbackProgress;
    BoundedLine m_line;
    std::string m_lastError;
    std::string m_errorAfterDownload;
    bool m_downloadComplete = false;
    bool m_leaveRequested = false;
    End m_end = End::None;
    int m_exitStatus = 0;
    std::string m_startFailure;
};

} // namespace modflash
