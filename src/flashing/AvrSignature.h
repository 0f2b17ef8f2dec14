// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/AvrChips.h"
#include "flashing/output/BoundedLine.h"

#include <string>
#include <string_view>

namespace modflash {

// What avrdude's output tells about the chip on the other end of the programmer.
struct AvrSignatureReading {
    enum class Outcome {
        Read,         // a signature: the chip answered
        Blank,        // all 0x00 or all 0xFF: the chip did not answer, though the programmer did
        NoProgrammer, // avrdude could not open the programmer
        NoAnswer,     // the programmer is there but could not get the chip to answer
        NotReported,  // the output says none of these (avrdude never got that far)
        Conflicting,  // two signature lines disagree: neither says what the chip is
    };

    Outcome outcome = Outcome::NotReported;
    AvrSignatureBytes signature{}; // Read and Blank
    // avrdude's guess at the part from its own list ("m328p" from "(probably m328p)"); empty
    // when it printed none.
    std::string probablePart;
    // avrdude's own message that decided the outcome, without its "avrdude error: " prefix,
    // e.g. "unable to open programmer usbtiny on port usb" or "Yikes!  Invalid device
    // signature."; for Conflicting the two signatures ("0x1e9406 and 0x1e950f"); empty for Read
    // and NotReported.
    std::string message;

    bool operator==(const AvrSignatureReading&) const = default;
};

// Reads avrdude 7.1's output (standard output and error merged, as a pipe gets them) for the
// "avrdude: device signature = 0x1e950f (probably m328p)" line and for the messages that say why
// there is none. avrdude prints the signature line whether or not the chip is the part given
// with -p; without -F it then names the signature it expected and exits with status 1, so the
// exit status alone does not say whether a signature was read. Chunks may split the output
// anywhere: every byte is taken in order, so any split gives the same reading.
class AvrSignatureReader {
public:
    void feed(std::string_view chunk);
    // The output is complete: takes a last line that has no line end.
    void finish();

    // What the lines so far say.
    const AvrSignatureReading& reading() const { return m_reading; }

    // The reading of a whole output at once.
    static AvrSignatureReading read(std::string_view output);

    // All 0x00 or all 0xFF: what a programmer reads when no chip answers.
    static bool isBlank(const AvrSignatureBytes& signature);

private:
    void lineEnded();
    // Takes a "device signature = 0x..." message; false for any other.
    bool signatureLine(std::string_view message);
    static bool isSignatureLine(std::string_view message);
    bool unreachable() const;

    BoundedLine m_line;
    AvrSignatureReading m_reading;
};

} // namespace modflash
