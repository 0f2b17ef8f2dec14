// SPDX-License-Identifier: GPL-3.0-or-later
#include "VirtualBus.h"

#include "DfuSeBootloader.h"
#include "ModuleSettings.h"
#include "UsbtinyProgrammer.h"

#include <string_view>

namespace vbench {

namespace {

constexpr const char* dfuModule = "dfu";
constexpr const char* usbtinyModule = "usbtiny";

} // namespace

const std::vector<VirtualBus::Port>& VirtualBus::ports() {
    static const std::vector<Port> all{{dfuModule, 1, 2}, {usbtinyModule, 2, 3}};
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
        const ModuleSettings settings(
            file.read(),
            {"layout", "late-error", UnplugTrigger::bytesKey, UnplugTrigger::transfersKey}, source);
        const std::string layout = settings.text("layout").value_or("");
        auto model = Stm32Model::named(layout);
        if (!model)
            throw ModuleSettings::Error(source + ": layout must be one of " +
                                        Stm32Model::knownNames + ", not \"" + layout + "\"");
        return std::make_shared<DfuSeBootloader>(std::move(file), std::move(*model),
                                                 settings.has("late-error"),
                                                 UnplugTrigger(settings));
    }
    const ModuleSettings settings(
        file.read(), {"part", UnplugTrigger::bytesKey, UnplugTrigger::transfersKey}, source);
    const std::string id = settings.text("part").value_or("");
    const auto part = AvrPart::withId(id);
    if (!part)
        throw ModuleSettings::Error(source + ": part must be one of " + AvrPart::knownIds +
                                    ", not \"" + id + "\"");
    return std::make_shared<UsbtinyProgrammer>(std::move(file), *part, UnplugTrigger(settings));
}

} // namespace vbench
