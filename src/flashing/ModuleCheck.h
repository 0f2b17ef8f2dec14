// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/AvrSignature.h"
#include "flashing/Wording.h"

#include <span>
#include <string>

namespace modflash {

// What the check before writing found out about the module on the other end of the cable.
struct ModuleVerdict {
    enum class Kind {
        Fits,     // the module carries the product's chip (or the family checks nothing)
        Mismatch, // it carries another chip: nothing may be written
        Unread,   // the check could not read the module: the update fails as any other
    };
    Kind kind = Kind::Fits;
    std::string reason;      // for Mismatch and Unread, in the user's language
    std::string logReason{}; // the same in English, for the log
};

// An AVR product as the module check sees it: its title and its chip.
struct AvrProductChip {
    std::string title;
    AvrChipId chip;
};

// Whether the module on the programmer carries the chip the chosen product is built on, from
// the signature avrdude read before anything is written. A module of another product would be
// flashed with the wrong image and fuses meant for another chip, so a mismatch refuses the
// update and names the products the module may belong to.
class ModuleCheck {
public:
    struct Result {
        bool fits = false;
        // The chip version found ("ATmega328P"), when the signature names one of the table.
        std::string found;
        // Why the update is refused, for a person, in the wording given; empty when the module
        // fits.
        std::string reason;
    };

    // product: the chosen product; products: every AVR product to name as a possible owner of
    // the module, in the order they are to be listed.
    static Result check(const AvrSignatureReading& reading, const AvrProductChip& product,
                        std::span<const AvrProductChip> products,
                        const Wording& wording = Wording::user());

    // The same for a signature already read.
    static Result check(const AvrSignatureBytes& signature, const AvrProductChip& product,
                        std::span<const AvrProductChip> products,
                        const Wording& wording = Wording::user());
};

} // namespace modflash
