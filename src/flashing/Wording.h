// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace modflash {

// How a text for people is worded: in the user's language, with its quotation marks and the
// locale's digit grouping, as the front end installed them (TextLookup.h); or as written, in
// English, for the log and for scripts that read the words back, whatever the locale.
class Wording {
public:
    static const Wording& user();
    static const Wording& english();

    std::string text(const char* context, const char* source) const;
    // A name in the language's quotation marks: “Wendrel.2.0.bin”, „Wendrel.2.0.bin“.
    std::string quoted(std::string_view name) const;
    // "12,288" as written, "12.288" in German.
    std::string number(std::uint64_t value) const;
    // "12,288 bytes", whatever the count.
    std::string bytes(std::uint64_t count) const;
    // A memory size as data sheets give it: "8 KiB", "1 MiB", else "1 byte", "1,000 bytes".
    std::string memorySize(std::uint64_t bytes) const;

private:
    explicit Wording(bool translated)
        : m_translated(translated) {}

    bool m_translated;
};

} // namespace modflash
