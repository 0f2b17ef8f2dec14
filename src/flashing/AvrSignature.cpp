// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/AvrSignature.h"

#include <algorithm>

namespace modflash {

namespace {

using Outcome = AvrSignatureReading::Outcome;

bool startsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The three bytes of "1e950f" followed by the end or a space; nothing for any other text.
std::optional<AvrSignatureBytes> signatureBytes(std::string_view digits) {
    constexpr std::size_t length = 6;
    if (digits.size() < length || (digits.size() > length && digits[length] != ' '))
        return std::nullopt;
    AvrSignatureBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = hexValue(digits[2 * i]);
        const int low = hexValue(digits[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return bytes;
}

} // namespace

bool AvrSignatureReader::isBlank(const AvrSignatureBytes& signature) {
    const auto all = [&](std::uint8_t value) {
        return std::all_of(signature.begin(), signature.end(),
                           [=](std::uint8_t byte) { return byte == value; });
    };
    return all(0x00) || all(0xFF);
}

void AvrSignatureReader::feed(std::string_view chunk) {
    m_line.takeChunk(chunk, [this] { lineEnded(); });
}

void AvrSignatureReader::finish() {
    if (!m_line.empty())
        lineEnded();
    m_line.clear();
}

AvrSignatureReading AvrSignatureReader::read(std::string_view output) {
    AvrSignatureReader reader;
    reader.feed(output);
    reader.finish();
    return reader.reading();
}

void AvrSignatureReader::lineEnded() {
    // avrdude's messages start with its program name and the message type: "avrdude: ",
    // "avrdude error: ", "avrdude warning: " (with -v also the function: "avrdude main() error: ").
    const std::string_view line = m_line.text();
    const std::size_t colon = line.find(": ");
    if (colon == std::string_view::npos || colon == 0) {
        // The terminal mode prints the signature line with no prefix at all.
        signatureLine(line);
        return;
    }
    const std::string_view message = line.substr(colon + 2);
    // Only avrdude's own line gives the signature: text that merely ends in it (a wrapper's
    // "note: device signature = ...") says nothing about the chip.
    if (line.substr(0, colon) == "avrdude") {
        if (signatureLine(message))
            return;
    } else if (isSignatureLine(message)) {
        return;
    }
    if (startsWith(message, "Yikes!")) {
        if (m_reading.outcome == Outcome::Blank)
            m_reading.message = std::string(message);
        return;
    }
    if (unreachable())
        return;
    if (startsWith(message, "unable to open programmer ")) {
        m_reading = {Outcome::NoProgrammer, {}, {}, std::string(message)};
    } else if (startsWith(message, "initialization failed, rc=") ||
               startsWith(message, "unable to read signature data")) {
        m_reading = {Outcome::NoAnswer, {}, {}, std::string(message)};
    }
}

bool AvrSignatureReader::unreachable() const {
    return m_reading.outcome == Outcome::NoProgrammer || m_reading.outcome == Outcome::NoAnswer;
}

bool AvrSignatureReader::isSignatureLine(std::string_view message) {
    // "device signature" since 7.1; 7.0 and the terminal mode write "Device signature".
    return message.size() > 1 && (message[0] == 'd' || message[0] == 'D') &&
           startsWith(message.substr(1), "evice signature = 0x");
}

bool AvrSignatureReader::signatureLine(std::string_view message) {
    if (!isSignatureLine(message))
        return false;
    // Once avrdude has said it cannot reach the chip, a signature line after it (with -F it
    // carries on) shows bytes that were never read from a chip; once two lines disagreed,
    // neither can be trusted.
    if (unreachable() || m_reading.outcome == Outcome::Conflicting)
        return true;
    const std::string_view rest = message.substr(std::string_view("device signature = 0x").size());
    const std::optional<AvrSignatureBytes> bytes = signatureBytes(rest);
    if (!bytes)
        return true;
    // avrdude reads a blank signature again ("0xffffff (retrying)"); a chip that answered
    // with one signature and then with another is no chip to write to.
    if (m_reading.outcome == Outcome::Read && m_reading.signature != *bytes) {
        m_reading = {Outcome::Conflicting,
                     m_reading.signature,
                     {},
                     signatureText(m_reading.signature) + " and " + signatureText(*bytes)};
        return true;
    }
    m_reading.signature = *bytes;
    m_reading.outcome = isBlank(*bytes) ? Outcome::Blank : Outcome::Read;
    m_reading.message.clear();
    m_reading.probablePart.clear();
    constexpr std::string_view probably = " (probably ";
    const std::size_t guess = rest.find(probably);
    if (guess != std::string_view::npos) {
        const std::string_view part = rest.substr(guess + probably.size());
        m_reading.probablePart = std::string(part.substr(0, part.find(')')));
    }
    return true;
}

} // namespace modflash
