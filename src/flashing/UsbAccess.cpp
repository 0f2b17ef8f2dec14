// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/UsbAccess.h"

#include "flashing/DeviceRequirement.h"
#include "flashing/TextLookup.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace modflash {

namespace {

std::string tr(const char* text) {
    return translated("modflash::UsbAccess", text);
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string hex4(std::uint16_t value) {
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04x", value);
    return digits;
}

// The alternatives of every match on a key in a rule line: `idvendor}=="0483|1d50"` gives
// 0483 and 1d50.
std::vector<std::string> matchedValues(const std::string& line, const std::string& key) {
    std::vector<std::string> values;
    const std::string opening = key + "}==\"";
    for (std::size_t at = line.find(opening); at != std::string::npos;
         at = line.find(opening, at + 1)) {
        const std::size_t start = at + opening.size();
        const std::size_t end = line.find('"', start);
        const std::string value = line.substr(start, end == std::string::npos ? end : end - start);
        for (std::size_t from = 0; from <= value.size();) {
            const std::size_t bar = std::min(value.find('|', from), value.size());
            values.push_back(value.substr(from, bar - from));
            from = bar + 1;
        }
    }
    return values;
}

// The first value assigned to a key in a rule line: `group="plugdev"` gives plugdev.
std::string assigned(const std::string& line, const std::string& key) {
    const std::string opening = key + "=\"";
    const std::size_t at = line.find(opening);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + opening.size();
    return line.substr(start, line.find('"', start) - start);
}

// What a rule line that names the device gives: access for the user at the computer (the
// uaccess tag, or a mode that lets anyone write), or for a group.
std::optional<UsbAccess::Grant> grantIn(std::string line, const std::vector<UsbId>& ids,
                                        const std::string& file) {
    line = lowered(std::move(line));
    const auto has = [](const std::vector<std::string>& values, const std::string& wanted) {
        return std::find(values.begin(), values.end(), wanted) != values.end();
    };
    const bool named = std::any_of(ids.begin(), ids.end(), [&](const UsbId& id) {
        return has(matchedValues(line, "idvendor"), hex4(id.vendor)) &&
               has(matchedValues(line, "idproduct"), hex4(id.product));
    });
    if (!named)
        return std::nullopt;
    const std::string mode = assigned(line, "mode");
    if (line.find("uaccess") != std::string::npos || (!mode.empty() && ((mode.back() - '0') & 2)))
        return UsbAccess::Grant{file, {}};
    if (const std::string group = assigned(line, "group"); !group.empty())
        return UsbAccess::Grant{file, group};
    return std::nullopt;
}

} // namespace

std::vector<std::string> UsbAccess::systemRuleDirectories() {
    return {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
            "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
}

UsbAccess::UsbAccess(std::vector<std::string> ruleDirectories)
    : m_directories(std::move(ruleDirectories)) {}

std::optional<UsbAccess::Grant> UsbAccess::grantingRule(const std::vector<UsbId>& ids) const {
    namespace fs = std::filesystem;
    std::optional<Grant> groupGrant;
    for (const std::string& directory : m_directories) {
        std::error_code error;
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(directory, error))
            if (entry.path().extension() == ".rules")
                files.push_back(entry.path());
        // udev reads them in the order of their names.
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            std::ifstream in(file);
            for (std::string line; std::getline(in, line);) {
                const std::size_t first = line.find_first_not_of(" \t");
                if (first == std::string::npos || line[first] == '#')
                    continue;
                const std::optional<Grant> grant = grantIn(line, ids, file.string());
                if (grant && grant->group.empty())
                    return grant;
                if (grant && !groupGrant)
                    groupGrant = grant;
            }
        }
    }
    return groupGrant;
}

std::string UsbAccess::ruleFor(const std::vector<UsbId>& ids) {
    if (ids.empty())
        return {};
    // The ids of one device share their maker: one line names the products as alternatives.
    std::string products;
    for (const UsbId& id : ids)
        if (id.vendor == ids.front().vendor)
            products += (products.empty() ? "" : "|") + hex4(id.product);
    return "SUBSYSTEM==\"usb\", ATTR{idVendor}==\"" + hex4(ids.front().vendor) +
           "\", ATTR{idProduct}==\"" + products +
           "\", MODE=\"0660\", GROUP=\"plugdev\", TAG+=\"uaccess\"";
}

std::string UsbAccess::advice(const std::string& deviceName, const std::vector<UsbId>& ids) const {
    if (ids.empty())
        return substituted(tr("This user may not open the %1: give access to it with a udev rule "
                              "as USB ACCESS in modflash(1) says, then plug it in again."),
                           {deviceName});
    const std::optional<Grant> grant = grantingRule(ids);
    if (grant && grant->group.empty())
        return substituted(tr("This user may not open the %1. The udev rule in %2 gives the user "
                              "at the computer access to it: unplug it and plug it in again."),
                           {deviceName, grant->file});
    if (grant)
        return substituted(
            tr("This user may not open the %1. The udev rule in %2 gives the group %3 access to "
               "it: add this user to the group (\"sudo usermod -aG %3 $USER\"), log in again, then "
               "unplug it and plug it in again."),
            {deviceName, grant->file, grant->group});
    return substituted(
        tr("This user may not open the %1, and no udev rule on this computer gives access to it: "
           "add the line %2 to /etc/udev/rules.d/70-modflash.rules, run \"sudo udevadm control "
           "--reload-rules && sudo udevadm trigger\", then plug it in again."),
        {deviceName, ruleFor(ids)});
}

std::string UsbAccess::advice(const std::optional<DeviceRequirement>& device) const {
    if (!device)
        return tr("This user may not open the USB device: give access to it with a udev rule as "
                  "USB ACCESS in modflash(1) says, then plug it in again.");
    return advice(device->deviceName(), device->ids());
}

} // namespace modflash
