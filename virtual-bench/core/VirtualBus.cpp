// SPDX-License-Identifier: GPL-3.0-or-later
#include "VirtualBus.h"

#include "DfuSeBootloader.h"
#include "ModuleSettings.h"
#include "StlinkProbe.h"
#include "UsbtinyProgrammer.h"

#include <string_view>

namespace vbench {

namespace {

constexpr const char* dfuModule = "dfu";
constexpr const char* usbtinyModule = "usbtiny";
constexpr const char* stlinkModule = "stlink";

// The settings every kind of module takes, beside its own.
std::set<std::string> withCommonKeys(std::set<std::string> own) {
    own.insert({UnplugTrigger::bytesKey, UnplugTrigger::transfersKey, VirtualDevice::noAccessKey});
    return own;
}

std::shared_ptr<VirtualDevice> withAccess(std::shared_ptr<VirtualDevice> device,
                                          const ModuleSettings& settings) {
    device->setDeniesAccess(settings.has(VirtualDevice::noAccessKey));
    return device;
}

} // namespace

const std::vector<VirtualBus::Port>& VirtualBus::ports() {
    static const std::vector<Port> all{
        {dfuModule, 1, 2}, {usbtinyModule, 2, 3}, {stlinkModule, 3, 4}};
    return all;
}

VirtualBus::VirtualBus(StateDirectory directory)
    : m_directory(std::move(directory)) {}

std::vector<VirtualBus::Port> VirtualBus::pluggedPorts() const {
    std::vector<Port> plugged;
    for (const auto& port : ports()) {
        if (ModuleFile(m_directory, port.module).isPlugged())
            plugged.push_back(port);
    }
    return plugged;
}

std::shared_ptr<VirtualDevice> VirtualBus::attach(const Port& port) const {
    try {
        return build(port);
    } catch (const std::exception& problem) {
        if (m_reported.insert(problem.what()).second)
            m_directory.report(problem.what());
        return nullptr;
    }
}

std::shared_ptr<VirtualDevice> VirtualBus::build(const Port& port) const {
    ModuleFile file(m_directory, port.module);
    const std::string source = file.path();
    if (std::string_view(port.module) == dfuModule) {
        const ModuleSettings settings(file.read(), withCommonKeys({"layout", "late-error"}),
                                      source);
        const std::string layout = settings.text("layout").value_or("");
        auto model = Stm32Model::named(layout);
        if (!model)
            throw ModuleSettings::Error(source + ": layout must be one of " +
                                        Stm32Model::knownNames + ", not \"" + layout + "\"");
        return withAccess(std::make_shared<DfuSeBootloader>(std::move(file), std::move(*model),
                                                            settings.has("late-error"),
                                                            UnplugTrigger(settings)),
                          settings);
    }
    if (std::string_view(port.module) == stlinkModule)
        return buildStlink(std::move(file));
    const ModuleSettings settings(file.read(), withCommonKeys({"part"}), source);
    const std::string id = settings.text("part").value_or("");
    const auto part = AvrPart::withId(id);
    if (!part)
        throw ModuleSettings::Error(source + ": part must be one of " + AvrPart::knownIds +
                                    ", not \"" + id + "\"");
    return withAccess(
        std::make_shared<UsbtinyProgrammer>(std::move(file), *part, UnplugTrigger(settings)),
        settings);
}

std::shared_ptr<VirtualDevice> VirtualBus::buildStlink(ModuleFile file) const {
    const std::string source = file.path();
    const ModuleSettings settings(
        file.read(), withCommonKeys({"probe", "chip", "write-protect", "no-target"}), source);
    const std::string probe = settings.text("probe").value_or("");
    if (probe != "v2" && probe != "v2-1")
        throw ModuleSettings::Error(source + ": probe must be v2 or v2-1, not \"" + probe + "\"");
    const std::string chip = settings.text("chip").value_or("");
    if (chip != "f0")
        throw ModuleSettings::Error(source + ": chip must be f0, not \"" + chip + "\"");
    return withAccess(
        std::make_shared<StlinkProbe>(
            std::move(file), probe == "v2" ? StlinkProbe::Model::v2 : StlinkProbe::Model::v2_1,
            settings.has("write-protect"), settings.has("no-target"), UnplugTrigger(settings)),
        settings);
}

} // namespace vbench
