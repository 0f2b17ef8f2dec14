// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/output/BoundedLine.h"
#include "flashing/output/Progress.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace modflash {

// Reads a flashing tool's output as it arrives: how far the tool has got, and which of its lines
// report an error. Chunks may split the output anywhere, even inside a character: every byte is
// taken in order, so the same output gives the same results however it is cut. Keeps no more of
// the output than the line being printed and the last error line, however much the tool prints.
//
// This base reads no progress and takes any line with "error" or "failed" for an error; each
// family's tool has a reader of its own.
class ProgressParser {
public:
    using Listener = std::function<void(const Progress&)>;

    ProgressParser();
    virtual ~ProgressParser();

    ProgressParser(const ProgressParser&) = delete;
    ProgressParser& operator=(const ProgressParser&) = delete;

    void feed(std::string_view chunk);
    // The output has ended: a last line without its line break counts too.
    void finish();

    // Phase::Starting until the output shows a phase.
    const Progress& progress() const { return m_progress; }

    // Called with every new progress value, from inside feed(). One listener; a new one
    // replaces the old.
    void setListener(Listener listener) { m_listener = std::move(listener); }

    // The part of a line that reports an error of this reader's tool, trimmed; nothing for any
    // other line.
    virtual std::optional<std::string_view> errorIn(std::string_view line) const;

    // The last line that reported an error, as the tool printed it; empty when none.
    const std::string& lastErrorLine() const { return m_lastError; }

    // Lines holding one of these phrases (letter case as given) say that this user may not
    // open the USB device, whether the tool calls them an error or a warning.
    void watchForAccessErrors(std::vector<std::string> phrases) {
        m_accessPhrases = std::move(phrases);
    }
    // The first such line, trimmed; empty when none.
    const std::string& accessErrorLine() const { return m_accessError; }
    // The last error reported after the output showed the whole image written; empty when none.
    const std::string& errorAfterImageWritten() const { return m_errorAfterImage; }

    // The output shows the whole image on the module (only dfu-util says so in a way that
    // outlasts a later error).
    virtual bool wholeImageWritten() const { return false; }
    // The tool was asking the module to leave its boot loader when the output ended.
    virtual bool leavingBootLoader() const { return false; }

protected:
    // Takes the next piece of output for the progress: pieces end at the latest at a line break.
    virtual void consumeChunk(std::string_view chunk);
    void update(Progress next);

private:
    void lineEnded();

    Progress m_progress;
    Listener m_listener;
    BoundedLine m_line;
    std::string m_lastError;
    std::string m_errorAfterImage;
    std::vector<std::string> m_accessPhrases;
    std::string m_accessError;
};

} // namespace modflash
