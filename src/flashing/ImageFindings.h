// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/ImageReport.h"

#include <string>
#include <string_view>
#include <vector>

namespace modflash {

class Wording;

// Adds the checks of an image to its report as they run, worded for whoever reads the report,
// and keeps the gravest verdict with its reason.
class ImageFindings {
public:
    ImageFindings(ImageReport& report, std::string_view fileName, const Wording& wording);

    const Wording& wording() const { return m_wording; }
    // The checks' own words.
    std::string tr(const char* text) const;

    // name: a check's name as written, marked for translation.
    void pass(const char* name, std::string detail);
    // reason: a whole sentence in which %1 is the file's quoted name, %2 on the arguments.
    void fail(const char* name, std::string detail, ImageReport::Verdict verdict,
              const std::string& reason, std::vector<std::string> arguments = {});

    // The same reason for an image that was never read this far.
    std::string reason(const std::string& text, std::vector<std::string> arguments = {}) const;

private:
    ImageReport& m_report;
    const Wording& m_wording;
    std::string m_file;
};

} // namespace modflash
