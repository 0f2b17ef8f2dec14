// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace modflash {

// What the checks found out about a firmware image before any tool writes it.
struct ImageReport {
    enum class Verdict {
        Accepted,
        // Well formed, but it fails a plausibility rule (vector table, size, data beyond the
        // chip's flash). It may still be written after an explicit confirmation, and only while
        // factory firmware is enabled: a person building firmware may know better.
        Implausible,
        // Larger than the flash of the module that is connected: the tool would fail part-way
        // or write only part of it, whatever a person confirms, so it is never written.
        DoesNotFit,
        // Not an image in the product's format, damaged or cut short: never written.
        Malformed,
    };

    struct Check {
        std::string name;
        bool passed = false;
        std::string detail;
        bool operator==(const Check&) const = default;
    };

    struct AddressRange {
        std::uint64_t start = 0; // lowest data address
        std::uint64_t end = 0;   // one past the highest
        bool operator==(const AddressRange&) const = default;
    };

    std::string format;          // "Intel HEX" or "binary": how the product's tool reads it
    std::uint64_t fileSize = 0;  // bytes in the file
    std::uint64_t dataBytes = 0; // bytes the image writes (a binary image: all of them)
    std::optional<AddressRange> addresses; // nothing when the image holds no data
    std::string sha256;                    // of the file's bytes, lower-case hexadecimal
    std::vector<Check> checks;             // in the order they ran; a malformed image ends them
    Verdict verdict = Verdict::Accepted;
    // Why the image is refused, naming the file, for a person to act on; empty when accepted.
    std::string reason;

    bool accepted() const { return verdict == Verdict::Accepted; }
    // Whether a person may still choose to write it (see Implausible).
    bool mayBeConfirmed() const { return verdict == Verdict::Implausible; }
};

const char* verdictName(ImageReport::Verdict verdict);

} // namespace modflash
