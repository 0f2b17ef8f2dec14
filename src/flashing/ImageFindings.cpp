// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/ImageFindings.h"

#include "flashing/TextLookup.h"
#include "flashing/Wording.h"

namespace modflash {

ImageFindings::ImageFindings(ImageReport& report, std::string_view fileName, const Wording& wording)
    : m_report(report)
    , m_wording(wording)
    , m_file(wording.quoted(fileName)) {}

std::string ImageFindings::tr(const char* text) const {
    return m_wording.text("modflash::ImageCheck", text);
}

void ImageFindings::pass(const char* name, std::string detail) {
    m_report.checks.push_back({tr(name), true, std::move(detail)});
}

void ImageFindings::fail(const char* name, std::string detail, ImageReport::Verdict verdict,
                         const std::string& reason, std::vector<std::string> arguments) {
    m_report.checks.push_back({tr(name), false, std::move(detail)});
    if (verdict > m_report.verdict) {
        m_report.verdict = verdict;
        m_report.reason = this->reason(reason, std::move(arguments));
    }
}

std::string ImageFindings::reason(const std::string& text,
                                  std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), m_file);
    return substituted(text, arguments);
}

} // namespace modflash
