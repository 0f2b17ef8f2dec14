// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/FamilyProfile.h"

#include "flashing/LogTexts.h"
#include "flashing/TextLookup.h"
#include "flashing/output/ToolOutputLines.h"

#include <algorithm>

namespace modflash {

FamilyProfile::FamilyProfile(Facts facts)
    : m_facts(std::move(facts)) {}

FamilyProfile::~FamilyProfile() = default;

const FamilyProfile& FamilyProfile::none() {
    static const FamilyProfile profile({"",
                                        "the flashing tool",
                                        "hex",
                                        {LogTexts::firstDfuNote, LogTexts::secondDfuNote},
                                        {},
                                        {}});
    return profile;
}

std::string FamilyProfile::advice(std::string_view lastErrorLine) const {
    for (const Facts::Advice& entry : m_facts.advice) {
        if (entry.phrases.empty())
            return translated("modflash::FamilyProfile", entry.text.c_str());
        for (const std::string& phrase : entry.phrases)
            if (containsIgnoringCase(lastErrorLine, phrase))
                return translated("modflash::FamilyProfile", entry.text.c_str());
    }
    return {};
}

bool FamilyProfile::acceptsFileName(std::string_view fileName) const {
    const std::string& wanted = m_facts.extension;
    fileName = fileName.substr(fileName.rfind('/') + 1);
    const std::size_t dot = fileName.rfind('.');
    // A name that is all extension (".hex") is a hidden file without one.
    if (dot == std::string_view::npos || dot == 0 || fileName.size() - dot - 1 != wanted.size())
        return false;
    return std::equal(wanted.begin(), wanted.end(), fileName.begin() + dot + 1,
                      [](char wanted, char c) {
                          return wanted == (c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
                      });
}

std::vector<std::string> FamilyProfile::verdictTexts(const ToolEnd& end) const {
    if (end.succeeded())
        return {LogTexts::success};
    if (!end.toolRan())
        return {LogTexts::error};
    if (!end.writeStarted && end.kind == ToolEnd::Kind::Stopped)
        return {end.downloading ? LogTexts::stoppedWhileDownloading
                                : LogTexts::stoppedBeforeWriting};
    if (!end.writeStarted)
        return {LogTexts::moduleCheckFailed(end.logReason)};
    return m_facts.failureNotes;
}

std::unique_ptr<ProgressParser> FamilyProfile::progressParser() const {
    return std::make_unique<ProgressParser>();
}

std::unique_ptr<ProgressParser> FamilyProfile::outputReader() const {
    auto reader = progressParser();
    reader->watchForAccessErrors(m_facts.accessPhrases);
    return reader;
}

std::optional<DeviceRequirement> FamilyProfile::requiredDevice(const Preferences&) const {
    return std::nullopt;
}

std::optional<ImageCheck::Requirements> FamilyProfile::imageRequirements() const {
    return std::nullopt;
}

} // namespace modflash
