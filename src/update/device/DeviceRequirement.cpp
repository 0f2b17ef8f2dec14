#include "DeviceRequirement.h"

#include "ARMProduct.h"
#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "Preferences.h"

#include <algorithm>

namespace modflash {

namespace {

struct KnownDevice {
    const char* choice; // the preference value
    const char* name;   // with its article for "but a ... is connected"
    const char* article;
    std::vector<UsbId> ids;
};

const std::vector<KnownDevice>& avrProgrammers() {
    static const std::vector<KnownDevice> programmers{
        {"usbtiny", "USBtiny programmer", "a", {{0x1781, 0x0c9f}}},
        {"avrisp2", "AVRISP mkII programmer", "an", {{0x03eb, 0x2104}}},
        {"usbasp", "USBasp programmer", "a", {{0x16c0, 0x05dc}}},
    };
    return programmers;
}

const std::vector<KnownDevice>& stlinkProbes() {
    static const std::vector<KnownDevice> probes{
        {"ST-Link v2", "ST-Link v2 probe", "an", {{0x0483, 0x3748}}},
        {"ST-Link v2-1", "ST-Link v2-1 probe", "an", {{0x0483, 0x374b}, {0x0483, 0x3752}}},
    };
    return probes;
}

std::optional<UsbId> firstPresent(const std::vector<UsbId>& wanted,
                                  const std::vector<UsbId>& present) {
    for (const UsbId& id : present)
        if (std::find(wanted.begin(), wanted.end(), id) != wanted.end())
            return id;
    return std::nullopt;
}

} // namespace

std::optional<DeviceRequirement> DeviceRequirement::forProduct(const Product& product,
                                                               const Preferences& preferences) {
    if (product.family() == "avr") {
        std::string programmer = preferences.stringForKey(PreferenceKey::avrProgrammer);
        // The command falls back to the first programmer the same way.
        if (programmer.empty())
            programmer = AVRProduct::avrProgrammers().front();
        return forAvrProgrammer(programmer);
    }
    if (product.family() == "swd")
        return forStlink(preferences.stringForKey(PreferenceKey::stlinkProgrammer));
    if (product.family() == "dfu") {
        const auto* arm = dynamic_cast<const ARMProduct*>(&product);
        const auto id = UsbId::parse(arm ? arm->device() : ARMProduct::defaultDevice);
        return forDfuBootLoader(id.value_or(*UsbId::parse(ARMProduct::defaultDevice)));
    }
    return std::nullopt;
}

DeviceRequirement DeviceRequirement::forAvrProgrammer(const std::string& programmer) {
    DeviceRequirement requirement;
    requirement.m_preferenceName = "programmer";
    requirement.m_whatToCheck = "connect it by USB, or choose the programmer you use in the "
                                "preferences";
    for (const KnownDevice& known : avrProgrammers()) {
        if (known.choice == programmer) {
            requirement.m_deviceName = known.name;
            requirement.m_ids = known.ids;
        } else {
            requirement.m_alternatives.push_back(
                {std::string(known.article) + " " + known.name, known.choice, known.ids});
        }
    }
    if (requirement.m_ids.empty())
        requirement.m_deviceName = "programmer \"" + programmer + "\"";
    return requirement;
}

DeviceRequirement DeviceRequirement::forStlink(const std::string& probe) {
    // Only the exact second title picks the v2-1 probe, as in the openocd command.
    const auto& probes = stlinkProbes();
    const std::size_t chosen = probe == probes[1].choice ? 1 : 0;
    DeviceRequirement requirement;
    requirement.m_preferenceName = "probe";
    requirement.m_whatToCheck = "connect it by USB, or choose the probe you use in the "
                                "preferences";
    requirement.m_deviceName = probes[chosen].name;
    requirement.m_ids = probes[chosen].ids;
    const KnownDevice& other = probes[1 - chosen];
    requirement.m_alternatives.push_back(
        {std::string(other.article) + " " + other.name, other.choice, other.ids});
    return requirement;
}

DeviceRequirement DeviceRequirement::forDfuBootLoader(UsbId id) {
    DeviceRequirement requirement;
    requirement.m_deviceName = "DFU boot loader";
    requirement.m_ids = {id};
    requirement.m_whatToCheck = "put the module into its boot loader mode as the instructions say";
    return requirement;
}

bool DeviceRequirement::isMetBy(const std::vector<UsbId>& present) const {
    return firstPresent(m_ids, present).has_value();
}

std::string DeviceRequirement::message(const std::vector<UsbId>& present) const {
    if (!canCheck())
        return "modflash does not know the USB id of the " + m_deviceName +
               ", so it cannot tell whether it is connected";
    if (const auto found = firstPresent(m_ids, present))
        return m_deviceName + " found (USB " + found->text() + ")";
    for (const Alternative& other : m_alternatives)
        if (firstPresent(other.ids, present))
            return "No " + m_deviceName + " found, but " + other.deviceName +
                   " is connected: choose \"" + other.choice + "\" as the " + m_preferenceName +
                   " in the preferences";
    return "No " + m_deviceName + " found: " + m_whatToCheck;
}

} // namespace modflash
