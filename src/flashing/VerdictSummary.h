// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/FamilyProfile.h"
#include "flashing/ToolEnd.h"
#include "flashing/output/Progress.h"
#include "flashing/output/ProgressParser.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace modflash {

// The one line a person reads at a glance about an update: what the tool is doing while it
// runs, and afterwards whether the update worked and, if not, the tool's own reason. How the
// tool ended decides; the output only explains.
class VerdictSummary {
public:
    struct Banner {
        enum class Kind { Running, Completed, Failed, WrittenThenFailed };
        Kind kind = Kind::Running;
        std::string text;
    };

    explicit VerdictSummary(const FamilyProfile& profile);
    ~VerdictSummary();

    VerdictSummary(const VerdictSummary&) = delete;
    VerdictSummary& operator=(const VerdictSummary&) = delete;

    void feed(std::string_view chunk);
    void toolEnded(const ToolEnd& end);

    bool hasEnded() const { return m_end.has_value(); }
    Banner banner() const;

    // The tool said that this user may not open the USB device.
    bool accessDenied() const { return !m_parser->accessErrorLine().empty(); }
    // What to do about it on this computer (UsbAccess); without it, where to read up on it.
    void setAccessAdvice(std::string advice) { m_accessAdvice = std::move(advice); }

    // The tool's progress; once the tool has ended, the final state that the verdict decides.
    Progress progress() const;
    // Forwards each progress change while output is fed (not the final state: read progress()
    // after the verdict).
    void setProgressListener(ProgressParser::Listener listener);

    const ProgressParser& output() const { return *m_parser; }

private:
    bool imageWrittenBeforeFailure() const;
    std::string failureText() const;
    std::string accessDeniedText() const;
    std::string writtenThenFailedText() const;
    std::string runningText() const;

    const FamilyProfile& m_profile;
    std::unique_ptr<ProgressParser> m_parser;
    std::optional<ToolEnd> m_end;
    std::string m_accessAdvice;
};

} // namespace modflash
