// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace modflash {

// The line a tool is printing, built up byte by byte. A tool may print megabytes without a line
// break, so only the first bytes are kept: enough to recognise any line the parsers look for.
class BoundedLine {
public:
    static constexpr std::size_t defaultLimit = 1024;

    explicit BoundedLine(std::size_t limit = defaultLimit);

    void append(char c);
    void append(std::string_view text);

    // Takes a chunk of output as it came: at each "\n" or "\r" the line so far is complete,
    // lineEnded() looks at it, and a new line starts.
    template <typename LineEnded> void takeChunk(std::string_view chunk, LineEnded&& lineEnded) {
        std::size_t from = 0;
        for (std::size_t i = 0; i < chunk.size(); ++i) {
            if (chunk[i] != '\n' && chunk[i] != '\r')
                continue;
            append(chunk.substr(from, i - from));
            lineEnded();
            clear();
            from = i + 1;
        }
        append(chunk.substr(from));
    }
    void clear();
    std::string_view text() const { return m_text; }
    bool empty() const { return m_text.empty(); }

    // The kept text cut back to whole UTF-8 characters, so that a truncated line still decodes.
    // A view into this line: valid until the line changes.
    std::string_view wholeCharacters() const;

private:
    std::string m_text;
    std::size_t m_limit;
    bool m_truncated = false;
};

} // namespace modflash
