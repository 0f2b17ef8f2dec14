// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StateDirectory.h"
#include "VirtualDevice.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vbench {

// The emulated bus: one port per kind of module, each taken while the module's file is in the
// state directory. "dfu" is an STM32 DFU boot loader, "usbtiny" a USBtiny programmer with an
// AVR chip, "stlink" an ST-Link probe with an STM32F0 behind it.
class VirtualBus {
public:
    static constexpr std::uint8_t busNumber = 1;

    struct Port {
        const char* module;
        std::uint8_t number;
        std::uint8_t address;
    };
    static const std::vector<Port>& ports();

    explicit VirtualBus(StateDirectory directory);

    const StateDirectory& directory() const { return m_directory; }
    std::vector<Port> pluggedPorts() const;
    // The module on the port as its file describes it; null, with the reason in bench.log,
    // when the file does not describe a module the bench can emulate.
    std::shared_ptr<VirtualDevice> attach(const Port& port) const;

private:
    std::shared_ptr<VirtualDevice> build(const Port& port) const;
    std::shared_ptr<VirtualDevice> buildStlink(ModuleFile file) const;

    StateDirectory m_directory;
    mutable std::set<std::string> m_reported;
};

} // namespace vbench
