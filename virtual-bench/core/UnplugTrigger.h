// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ControlTransfer.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vbench {

class ModuleSettings;

// Pulls a module's cable at a chosen point of a run: after it has taken a number of bytes in
// data stages sent to it (unplug-after-bytes), or after a number of control transfers
// (unplug-after-transfers), control and bulk transfers alike. The transfer that would go beyond
// either fails: the module is gone before it completes.
class UnplugTrigger {
public:
    UnplugTrigger() = default;
    explicit UnplugTrigger(const ModuleSettings& settings);

    static constexpr const char* bytesKey = "unplug-after-bytes";
    static constexpr const char* transfersKey = "unplug-after-transfers";

    // Counts the transfer about to happen; true when the module goes instead.
    bool unplugsBefore(const SetupPacket& setup) { return unplugsBefore(setup.outLength()); }
    // The same for a transfer on another pipe that sends outLength bytes to the module.
    bool unplugsBefore(std::size_t outLength);

private:
    std::optional<std::uint64_t> m_bytesLeft;
    std::optional<std::uint64_t> m_transfersLeft;
};

} // namespace vbench
