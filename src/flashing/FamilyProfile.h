// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/DeviceRequirement.h"
#include "flashing/ImageCheck.h"
#include "flashing/ToolEnd.h"
#include "flashing/output/ProgressParser.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace modflash {

class Preferences;

// What sets one family of products apart in the way its modules are written: the tool, the
// image files, how the tool's output reads and what to tell a person when an update fails.
// One object per family; what also depends on the product (its chip, its boot loader's id)
// the family's product class hands to its profile. An update without a product gets this
// base: no tool, no device, no image check, no progress, the plain notes.
class FamilyProfile {
public:
    struct Facts {
        std::string name;      // "avr", "dfu", "swd"; empty for no family
        std::string tool;      // the tool as people know it: "avrdude"
        std::string extension; // of the family's image files, without the full stop
        // Written to the log, in order, after an update whose tool ran and failed.
        std::vector<std::string> failureNotes;
        // What the tool prints, anywhere in its output, when this user may not open the USB
        // device: it goes on to say that it found none, which is not what to act on.
        std::vector<std::string> accessPhrases;
        // What to try after a failure, by what the tool's last error line says: the first
        // entry one of whose phrases the line holds (letter case aside) gives the advice; the
        // last entry, without phrases, is the advice for any other failure.
        struct Advice {
            std::vector<std::string> phrases;
            std::string text;
        };
        std::vector<Advice> advice;
    };

    explicit FamilyProfile(Facts facts);
    virtual ~FamilyProfile();

    FamilyProfile(const FamilyProfile&) = delete;
    FamilyProfile& operator=(const FamilyProfile&) = delete;

    static const FamilyProfile& none();

    const std::string& name() const { return m_facts.name; }
    const std::string& tool() const { return m_facts.tool; }
    const std::string& extension() const { return m_facts.extension; }

    // Whether a file a person picked is one of this family's images: its last extension is the
    // family's in any letter case ("UP.HEX"). The bundled images are matched exactly instead.
    bool acceptsFileName(std::string_view fileName) const;

    // The log's verdict for how the tool ended, the texts in order.
    std::vector<std::string> verdictTexts(const ToolEnd& end) const;

    // What a person should try after a failure whose last error line is this one.
    std::string advice(std::string_view lastErrorLine) const;

    // A fresh reader of the tool's output, for one run.
    virtual std::unique_ptr<ProgressParser> progressParser() const;
    // The same, watching also for the tool saying that this user may not open the device.
    std::unique_ptr<ProgressParser> outputReader() const;

    // The USB device an update talks to, as the preferences choose it; nothing where each
    // product names its own (a boot loader's id).
    virtual std::optional<DeviceRequirement> requiredDevice(const Preferences& preferences) const;
    // What every image of the family must be; nothing where it depends on the product's chip.
    virtual std::optional<ImageCheck::Requirements> imageRequirements() const;

private:
    Facts m_facts;
};

} // namespace modflash
