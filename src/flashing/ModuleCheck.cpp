// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/ModuleCheck.h"

#include "flashing/TextLookup.h"

namespace modflash {

namespace {

using Outcome = AvrSignatureReading::Outcome;

// A sentence of the check in the wording given, %1 on replaced by the arguments.
std::string worded(const Wording& wording, const char* sentence,
                   const std::vector<std::string>& arguments = {}) {
    return substituted(wording.text("modflash::ModuleCheck", sentence), arguments);
}

// The article goes with how the name is said, which only the name tells: "an ATmega168",
// "a ..." for any name that does not begin with a vowel. The sentences take the chip with its
// article as the object of their verb, so a language can give both forms its own words.
std::string withArticle(std::string_view name, const Wording& wording) {
    const bool vowel =
        !name.empty() && std::string_view("AEIOUaeiou").find(name[0]) != std::string_view::npos;
    return worded(wording,
                  vowel ? MODFLASH_TRANSLATABLE("modflash::ModuleCheck", "an %1")
                        : MODFLASH_TRANSLATABLE("modflash::ModuleCheck", "a %1"),
                  {std::string(name)});
}

// "Products with an ATmega328: Ostrine, Parvonne (rev008 or Lower)." or that none has it.
std::string ownersOf(const AvrChip& chip, std::span<const AvrProductChip> products,
                     const Wording& wording) {
    std::string titles;
    for (const AvrProductChip& product : products) {
        if (product.chip != chip.id)
            continue;
        if (!titles.empty())
            titles += ", ";
        titles += product.title;
    }
    const std::string article = withArticle(chip.name, wording);
    if (titles.empty())
        return worded(
            wording,
            MODFLASH_TRANSLATABLE("modflash::ModuleCheck", "No product of modflash uses %1."),
            {article});
    return worded(wording, MODFLASH_TRANSLATABLE("modflash::ModuleCheck", "Products with %1: %2."),
                  {article, titles});
}

// A reading that tells nothing of the chip asks for a look at the cable.
std::string withConnectionAdvice(const std::string& sentence, const Wording& wording) {
    return sentence + " " +
           worded(wording,
                  MODFLASH_TRANSLATABLE(
                      "modflash::ModuleCheck",
                      "Check that the module is switched on and that the programmer's "
                      "cable is on its header the right way round (red stripe to pin 1)."));
}

// avrdude's own words for it, when it printed them, follow the bytes.
std::string chipDidNotAnswer(const AvrSignatureBytes& signature, const std::string& message,
                             const Wording& wording) {
    const std::string bytes = signatureText(signature);
    return withConnectionAdvice(
        message.empty()
            ? worded(wording,
                     MODFLASH_TRANSLATABLE(
                         "modflash::ModuleCheck",
                         "The module's chip did not answer: avrdude read the signature %1."),
                     {bytes})
            : worded(wording,
                     MODFLASH_TRANSLATABLE(
                         "modflash::ModuleCheck",
                         "The module's chip did not answer: avrdude read the signature %1 (%2)."),
                     {bytes, message}),
        wording);
}

} // namespace

ModuleCheck::Result ModuleCheck::check(const AvrSignatureBytes& signature,
                                       const AvrProductChip& product,
                                       std::span<const AvrProductChip> products,
                                       const Wording& wording) {
    const AvrChip& wanted = AvrChips::chip(product.chip);
    if (AvrSignatureReader::isBlank(signature))
        return {false, {}, chipDidNotAnswer(signature, {}, wording)};
    const std::optional<AvrChipMatch> match = AvrChips::withSignature(signature);
    if (!match) {
        return {
            false,
            {},
            worded(wording,
                   MODFLASH_TRANSLATABLE(
                       "modflash::ModuleCheck",
                       "This module's chip answers with the signature %1, which no product of "
                       "modflash uses: %2 uses %3. Check that the programmer's cable is on the "
                       "module you mean to update."),
                   {signatureText(signature), product.title, withArticle(wanted.name, wording)})};
    }
    Result result{match->chip == &wanted, std::string(match->variant->name), {}};
    if (!result.fits) {
        result.reason = worded(wording,
                               MODFLASH_TRANSLATABLE("modflash::ModuleCheck",
                                                     "This module has %1, but %2 uses %3."),
                               {withArticle(match->variant->name, wording), product.title,
                                withArticle(wanted.name, wording)}) +
                        " " + ownersOf(*match->chip, products, wording);
    }
    return result;
}

ModuleCheck::Result ModuleCheck::check(const AvrSignatureReading& reading,
                                       const AvrProductChip& product,
                                       std::span<const AvrProductChip> products,
                                       const Wording& wording) {
    switch (reading.outcome) {
    case Outcome::Read: {
        Result result = check(reading.signature, product, products, wording);
        // avrdude knows far more parts than modflash; its guess helps to tell what the module is.
        if (!result.fits && result.found.empty() && !reading.probablePart.empty())
            result.reason +=
                " " + worded(wording,
                             MODFLASH_TRANSLATABLE("modflash::ModuleCheck",
                                                   "avrdude takes the chip for its part %1."),
                             {reading.probablePart});
        return result;
    }
    case Outcome::Blank:
        return {false, {}, chipDidNotAnswer(reading.signature, reading.message, wording)};
    case Outcome::NoAnswer:
        return {false,
                {},
                withConnectionAdvice(
                    worded(wording,
                           MODFLASH_TRANSLATABLE(
                               "modflash::ModuleCheck",
                               "The module did not answer the programmer (avrdude: %1)."),
                           {reading.message}),
                    wording)};
    case Outcome::NoProgrammer:
        return {
            false,
            {},
            worded(wording,
                   MODFLASH_TRANSLATABLE(
                       "modflash::ModuleCheck",
                       "avrdude found no programmer (%1). Connect the programmer, or choose the "
                       "one you have under Preferences."),
                   {reading.message})};
    case Outcome::Conflicting:
        return {false,
                {},
                withConnectionAdvice(worded(wording,
                                            MODFLASH_TRANSLATABLE(
                                                "modflash::ModuleCheck",
                                                "avrdude reported two different signatures, %1, so "
                                                "the module's chip cannot be told."),
                                            {reading.message}),
                                     wording)};
    case Outcome::NotReported:
        break;
    }
    return {false,
            {},
            worded(wording, MODFLASH_TRANSLATABLE(
                                "modflash::ModuleCheck",
                                "avrdude read no signature from the module and printed none of its "
                                "messages that say why: see its output for what went wrong."))};
}

} // namespace modflash
