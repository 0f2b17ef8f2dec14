// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace modflash {

// Whether text is well-formed UTF-8: no stray continuation byte, no truncated or overlong
// sequence, no surrogate, nothing beyond U+10FFFF.
bool isValidUtf8(std::string_view text);

// Turns bytes read in arbitrary pieces into UTF-8 text: valid UTF-8 passes as it is, a character
// split between two pieces comes out whole with the later one, and each byte that is no part of
// a character shows as U+FFFD. Nothing is dropped: a character cut off by the end of the stream
// shows as U+FFFD once finish() is called.
class Utf8Stream {
public:
    // Appends the text of the next piece to out.
    void decode(std::string_view bytes, std::string& out);
    // Ends the stream: appends what is still held back, and starts afresh.
    void finish(std::string& out);
    // Nothing is held back: a piece that is valid UTF-8 on its own is its own text.
    bool isIdle() const { return m_pending.empty(); }

private:
    std::string m_pending;
};

} // namespace modflash
