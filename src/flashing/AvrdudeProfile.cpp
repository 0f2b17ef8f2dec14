// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/AvrdudeProfile.h"

#include "flashing/Firmware.h"
#include "flashing/LogTexts.h"
#include "flashing/Programmers.h"
#include "flashing/TextLookup.h"
#include "flashing/ToolEnvironment.h"
#include "flashing/output/AvrdudeProgressParser.h"

namespace modflash {

// libusb 0.1 (USBtiny, AVRISP mkII) opens a device node it may not write for reading, and the
// kernel refuses every request on it: "error sending control message: Operation not permitted".
// Through libusb-1.0 (USBasp): "cannot open USB device: Permission denied".
AvrdudeProfile::AvrdudeProfile()
    : FamilyProfile(
          {"avr",
           "avrdude",
           "hex",
           {LogTexts::firstAvrNote, LogTexts::secondAvrNote},
           {"Operation not permitted", "USB device: Permission denied", "LIBUSB_ERROR_ACCESS"},
           {{{"cannot find USBtiny", "cannot find USB device", "unable to open programmer",
              "No such device"},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "Connect the programmer by USB, and choose the one you use in the "
                 "preferences.")},
            {{"initialization failed", "Invalid device signature", "not responding",
              "target doesn't answer"},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "The module does not answer: check that the ISP cable sits with its red "
                 "stripe on pin 1 and that the module's supply is on.")},
            {{"verification mismatch", "verification error"},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "The module reads back other data than was written: write it again, and "
                 "check the ISP cable and the module's supply.")},
            {{},
             MODFLASH_TRANSLATABLE(
                 "modflash::FamilyProfile",
                 "Check the ISP cable (red stripe to pin 1), the module's supply and the "
                 "programmer chosen in the preferences.")}}}) {}

const AvrdudeProfile& AvrdudeProfile::instance() {
    static const AvrdudeProfile profile;
    return profile;
}

UpdateTask AvrdudeProfile::command(AvrChipId chipId, const Firmware& firmware,
                                   const ResourceDirectory& resources,
                                   const Preferences& preferences) const {
    const AvrChip& chip = AvrChips::chip(chipId);
    UpdateTask task;
    task.launchPath = executableResource(resources, "avrdude");
    const std::string conf = requiredResource(
        resources, "avrdude's configuration file (avrdude.conf)", "avrdude", "conf");
    // avrdude knows more programmers than modflash offers: an unknown name is passed on.
    const std::string programmer = avrProgrammerList().chosenName(preferences);
    const std::string part(chip.part);
    task.arguments = {
        "-C" + conf,
        "-F",
        "-c" + programmer,
        "-Pusb",
        "-p" + part,
        "-Uflash:w:" + firmware.path() + ":i",
        "-Uhfuse:w:" + std::string(chip.highFuse) + ":m",
        "-Ulfuse:w:" + std::string(chip.lowFuse) + ":m",
    };
    if (chip.extendedFuse)
        task.arguments.push_back("-Uefuse:w:" + std::string(*chip.extendedFuse) + ":m");
    task.environment = toolEnvironment(resources);
    return task;
}

UpdateTask AvrdudeProfile::signatureCommand(AvrChipId chip, const ResourceDirectory& resources,
                                            const Preferences& preferences) const {
    // No memory operation: avrdude reads the signature, prints it and stops. -F keeps it from
    // calling a chip that differs from the part an error ("use -F to override"), which would
    // stand in the log above a good update of a variant the product accepts; without -U it
    // writes nothing.
    UpdateTask task;
    task.launchPath = executableResource(resources, "avrdude");
    task.arguments = {
        "-C" + requiredResource(resources, "avrdude's configuration file (avrdude.conf)", "avrdude",
                                "conf"),
        "-F",
        "-c" + avrProgrammerList().chosenName(preferences),
        "-Pusb",
        "-p" + std::string(AvrChips::chip(chip).part),
    };
    task.environment = toolEnvironment(resources);
    return task;
}

ModuleVerdict AvrdudeProfile::judgeModule(std::string_view signatureOutput, const ToolEnd& readEnd,
                                          const AvrProductChip& product,
                                          std::span<const AvrProductChip> products) const {
    // With -F avrdude carries on after it was refused the programmer, and the blank signature
    // it then reads says nothing about the chip.
    const auto reader = outputReader();
    reader->feed(signatureOutput);
    reader->finish();
    const AvrSignatureReading reading = AvrSignatureReader::read(signatureOutput);
    // The log keeps its English whatever the user reads: the output read once, worded twice.
    const auto judged = [&](const Wording& wording) {
        return judgeReading(reader->accessErrorLine(), reading, readEnd, product, products,
                            wording);
    };
    ModuleVerdict verdict = judged(Wording::user());
    verdict.logReason = judged(Wording::english()).reason;
    return verdict;
}

ModuleVerdict AvrdudeProfile::judgeReading(const std::string& accessErrorLine,
                                           const AvrSignatureReading& reading,
                                           const ToolEnd& readEnd, const AvrProductChip& product,
                                           std::span<const AvrProductChip> products,
                                           const Wording& wording) {
    if (!accessErrorLine.empty())
        return {ModuleVerdict::Kind::Unread,
                substituted(wording.text("modflash::AvrdudeProfile",
                                         MODFLASH_TRANSLATABLE(
                                             "modflash::AvrdudeProfile",
                                             "This user may not open the programmer (%1).")),
                            {accessErrorLine})};
    if (const std::optional<std::string> unfinished = unfinishedRead(reading, readEnd, wording))
        return {ModuleVerdict::Kind::Unread, *unfinished};
    const ModuleCheck::Result result = ModuleCheck::check(reading, product, products, wording);
    if (result.fits)
        return {};
    // A chip that did not answer is no other chip: that update simply failed.
    const bool read = (reading.outcome == AvrSignatureReading::Outcome::Read &&
                       !AvrSignatureReader::isBlank(reading.signature)) ||
                      reading.outcome == AvrSignatureReading::Outcome::Conflicting;
    return {read ? ModuleVerdict::Kind::Mismatch : ModuleVerdict::Kind::Unread, result.reason};
}

std::optional<std::string> AvrdudeProfile::unfinishedRead(const AvrSignatureReading& reading,
                                                          const ToolEnd& readEnd,
                                                          const Wording& wording) {
    // With -F and nothing to write, avrdude ends with 0 once it has printed the signature, so
    // any other end means the read did not complete: a line printed on the way out (on a
    // signal, say) does not say what the chip is.
    if (readEnd.succeeded())
        return std::nullopt;
    using Outcome = AvrSignatureReading::Outcome;
    if (reading.outcome == Outcome::NoProgrammer || reading.outcome == Outcome::NoAnswer)
        return ModuleCheck::check(reading, {}, {}, wording).reason;
    if (readEnd.kind == ToolEnd::Kind::Crashed || readEnd.kind == ToolEnd::Kind::Stopped)
        return wording.text(
            "modflash::AvrdudeProfile",
            MODFLASH_TRANSLATABLE("modflash::AvrdudeProfile",
                                  "avrdude was ended by a signal before it had read the module's "
                                  "signature."));
    return substituted(wording.text("modflash::AvrdudeProfile",
                                    MODFLASH_TRANSLATABLE(
                                        "modflash::AvrdudeProfile",
                                        "avrdude ended with exit status %1 before it had read the "
                                        "module's signature: see its output above for why.")),
                       {std::to_string(readEnd.exitStatus)});
}

std::optional<DeviceRequirement>
AvrdudeProfile::requiredDevice(const Preferences& preferences) const {
    return DeviceRequirement::forChoice(
        avrProgrammerList(), preferences,
        MODFLASH_TRANSLATABLE("modflash::DeviceRequirement", "programmer"));
}

std::unique_ptr<ProgressParser> AvrdudeProfile::progressParser() const {
    return std::make_unique<AvrdudeProgressParser>();
}

} // namespace modflash
