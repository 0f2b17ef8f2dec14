// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/Wording.h"

#include "flashing/TextLookup.h"

namespace modflash {

const Wording& Wording::user() {
    static const Wording wording(true);
    return wording;
}

const Wording& Wording::english() {
    static const Wording wording(false);
    return wording;
}

std::string Wording::text(const char* context, const char* source) const {
    return m_translated ? translated(context, source) : std::string(source);
}

std::string Wording::quoted(std::string_view name) const {
    // The marks are the language's, so a translation gives them: „%1“ in German.
    return substituted(
        text("modflash::Wording", MODFLASH_TRANSLATABLE("modflash::Wording", "\u201c%1\u201d")),
        {std::string(name)});
}

std::string Wording::number(std::uint64_t value) const {
    const std::string separator = m_translated ? digitGroupSeparator() : std::string(",");
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}

std::string Wording::bytes(std::uint64_t count) const {
    return substituted(
        text("modflash::Wording", MODFLASH_TRANSLATABLE("modflash::Wording", "%1 bytes")),
        {number(count)});
}

std::string Wording::memorySize(std::uint64_t bytes) const {
    constexpr std::uint64_t KiB = 1024;
    constexpr std::uint64_t MiB = 1024 * KiB;
    if (bytes >= MiB && bytes % MiB == 0)
        return std::to_string(bytes / MiB) + " MiB";
    if (bytes >= KiB && bytes % KiB == 0)
        return std::to_string(bytes / KiB) + " KiB";
    if (bytes == 1)
        return text("modflash::Wording", MODFLASH_TRANSLATABLE("modflash::Wording", "1 byte"));
    return this->bytes(bytes);
}

} // namespace modflash
