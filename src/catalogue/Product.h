// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/DeviceRequirement.h"
#include "flashing/Firmware.h"
#include "flashing/ImageCheck.h"
#include "flashing/ModuleCheck.h"
#include "flashing/ToolEnd.h"
#include "flashing/UpdateTask.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace modflash {

class FamilyProfile;
class Preferences;
class ResourceDirectory;

// One kind of module: its title, the prefix that marks its firmware images, whether it is
// offered only while factory firmware is enabled, and its family. Immutable once made; shared
// between the catalogue, the window and a running update. Each family's class makes its
// products; what the family alone decides, its profile answers.
class Product {
public:
    virtual ~Product();

    Product(const Product&) = delete;
    Product& operator=(const Product&) = delete;

    const std::string& title() const { return m_title; }
    const std::string& prefix() const { return m_prefix; }
    bool factoryOnly() const { return m_factoryOnly; }

    // What the product's family is written with.
    const FamilyProfile& profile() const { return m_profile; }

    // The extension of the family's image files, without the full stop.
    std::string firmwareExtension() const;

    // The images in the resource directory's "firmware" directory whose names begin with the
    // prefix (case-sensitively) and carry the family's extension, in code-point order of their
    // paths. Reads the directory afresh on every call. A name that is not UTF-8 is left out: it
    // could be neither shown nor handed to a tool as it is, and another file might be written in
    // its place; such names go to leftOut when it is given.
    std::vector<FirmwarePtr> getAllFirmware(const ResourceDirectory& resources,
                                            std::vector<std::string>* leftOut = nullptr) const;
    bool hasFirmware(const ResourceDirectory& resources) const;
    FirmwarePtr firmwareForPath(std::string path) const;

    // The prefix trimmed of leading and trailing "_" and ".": names the instructions page.
    std::string pageName() const;

    // The command that writes the firmware onto this product. Throws MissingResourceError when
    // a resource the command needs is absent.
    virtual UpdateTask createUpdateTask(const Firmware& firmware,
                                        const ResourceDirectory& resources,
                                        const Preferences& preferences) const = 0;

    // The USB device an update talks to, as the preferences choose it: the family's.
    virtual std::optional<DeviceRequirement> requiredDevice(const Preferences& preferences) const;

    // What an image must be to be written to this product: the family's.
    virtual std::optional<ImageCheck::Requirements> imageRequirements() const;
    // Checks an image file for this product. displayName names it in the reasons;
    // connectedFlash is the flash the connected module says it has, when it says so.
    // checkedBytes, when given, receives the bytes that were checked. The report is worded for
    // the user unless scripts read it.
    ImageReport checkImage(const std::string& path, std::optional<std::uint64_t> connectedFlash,
                           const std::string& displayName, std::string* checkedBytes = nullptr,
                           const Wording& wording = Wording::user()) const;

    // The command that reads the module before anything is written (the AVR chip's signature);
    // nothing where the family reads nothing first.
    virtual std::optional<UpdateTask> moduleCheckTask(const ResourceDirectory& resources,
                                                      const Preferences& preferences) const;
    // Whether the module that command's output shows fits this product; checkEnd is how the
    // command ended, which tells whether the output is a complete reading.
    virtual ModuleVerdict judgeModule(std::string_view checkOutput, const ToolEnd& checkEnd) const;
    // The chip the product is built on, as people name it ("ATmega328"); empty where the
    // family leaves it open.
    virtual std::string chipName() const;

protected:
    Product(std::string title, std::string prefix, bool factoryOnly, const FamilyProfile& profile);

private:
    std::string m_title;
    std::string m_prefix;
    bool m_factoryOnly;
    const FamilyProfile& m_profile;
};

using ProductPtr = std::shared_ptr<const Product>;

} // namespace modflash
