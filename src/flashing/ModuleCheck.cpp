// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/ModuleCheck.h"

namespace modflash {

namespace {

using Outcome = AvrSignatureReading::Outcome;

// "an ATmega168", "a ..." for any name that does not begin with a vowel.
std::string withArticle(std::string_view name) {
    const bool vowel =
        !name.empty() && std::string_view("AEIOUaeiou").find(name[0]) != std::string_view::npos;
    return (vowel ? "an " : "a ") + std::string(name);
}

// "Products with an ATmega328: Ostrine, Parvonne (rev008 or Lower)." or that none has it.
std::string ownersOf(const AvrChip& chip, std::span<const AvrProductChip> products) {
    std::string titles;
    for (const AvrProductChip& product : products) {
        if (product.chip != chip.id)
            continue;
        if (!titles.empty())
            titles += ", ";
        titles += product.title;
    }
    if (titles.empty())
        return "No product of modflash uses " + withArticle(chip.name) + ".";
    return "Products with " + withArticle(chip.name) + ": " + titles + ".";
}

const char* checkConnection = ". Check that the module is switched on and that the programmer's "
                              "cable is on its header the right way round (red stripe to pin 1).";

// avrdude's own words for it, when it printed them, follow the bytes.
std::string chipDidNotAnswer(const AvrSignatureBytes& signature, const std::string& message) {
    return "The module's chip did not answer: avrdude read the signature " +
           signatureText(signature) + (message.empty() ? std::string() : " (" + message + ")") +
           checkConnection;
}

} // namespace

ModuleCheck::Result ModuleCheck::check(const AvrSignatureBytes& signature,
                                       const AvrProductChip& product,
                                       std::span<const AvrProductChip> products) {
    const AvrChip& wanted = AvrChips::chip(product.chip);
    const std::string uses = product.title + " uses " + withArticle(wanted.name);
    if (AvrSignatureReader::isBlank(signature))
        return {false, {}, chipDidNotAnswer(signature, {})};
    const std::optional<AvrChipMatch> match = AvrChips::withSignature(signature);
    if (!match) {
        return {false,
                {},
                "This module's chip answers with the signature " + signatureText(signature) +
                    ", which no product of modflash uses: " + uses +
                    ". Check that the programmer's cable is on the module you mean to update."};
    }
    Result result{match->chip == &wanted, std::string(match->variant->name), {}};
    if (!result.fits) {
        result.reason = "This module has " + withArticle(match->variant->name) + ", but " + uses +
                        ". " + ownersOf(*match->chip, products);
    }
    return result;
}

ModuleCheck::Result ModuleCheck::check(const AvrSignatureReading& reading,
                                       const AvrProductChip& product,
                                       std::span<const AvrProductChip> products) {
    switch (reading.outcome) {
    case Outcome::Read: {
        Result result = check(reading.signature, product, products);
        // avrdude knows far more parts than modflash; its guess helps to tell what the module is.
        if (!result.fits && result.found.empty() && !reading.probablePart.empty())
            result.reason += " avrdude takes the chip for its part " + reading.probablePart + ".";
        return result;
    }
    case Outcome::Blank:
        return {false, {}, chipDidNotAnswer(reading.signature, reading.message)};
    case Outcome::NoAnswer:
        return {false,
                {},
                "The module did not answer the programmer (avrdude: " + reading.message + ")" +
                    checkConnection};
    case Outcome::NoProgrammer:
        return {false,
                {},
                "avrdude found no programmer (" + reading.message +
                    "). Connect the programmer, or choose the one you have under Preferences."};
    case Outcome::Conflicting:
        return {false,
                {},
                "avrdude reported two different signatures, " + reading.message +
                    ", so the module's chip cannot be told" + checkConnection};
    case Outcome::NotReported:
        break;
    }
    return {false,
            {},
            "avrdude read no signature from the module and printed none of its messages that say "
            "why: see its output for what went wrong."};
}

} // namespace modflash
