#pragma once

#include "Progress.h"

#include <functional>
#include <memory>
#include <string_view>

namespace modflash {

// Reads a flashing tool's output as it arrives and keeps the tool's progress. Chunks may split
// the output anywhere, even inside a character: every byte is taken in order, so the same
// output gives the same sequence of progress values however it is cut.
class ProgressParser {
public:
    using Listener = std::function<void(const Progress&)>;

    virtual ~ProgressParser();

    ProgressParser(const ProgressParser&) = delete;
    ProgressParser& operator=(const ProgressParser&) = delete;

    // The parser for a product family: "avr" (avrdude), "dfu" (dfu-util) or "swd" (openocd);
    // nothing for any other family.
    static std::unique_ptr<ProgressParser> forFamily(std::string_view family);

    void feed(std::string_view chunk);

    const Progress& progress() const { return m_progress; }

    // Called with every new progress value, from inside feed(). One listener; a new one
    // replaces the old.
    void setListener(Listener listener) { m_listener = std::move(listener); }

protected:
    ProgressParser();

    // Takes the next chunk of output, cut anywhere.
    virtual void consumeChunk(std::string_view chunk) = 0;
    void update(Progress next);

private:
    Progress m_progress;
    Listener m_listener;
};

} // namespace modflash
