// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/output/Phase.h"

#include <string>

namespace modflash {

// Where a flashing tool has got to, as far as its output tells: the phase it is in, how far
// through that phase (when the tool prints numbers) and whether the phase is still going.
struct Progress {
    enum class State { Running, Done, Failed, Stopped };

    static constexpr int indeterminate = -1;

    Phase phase = Phase::None;
    int percent = indeterminate; // 0 to 100, or indeterminate
    State state = State::Running;
    std::string memory = {}; // the memory the phase is about, as avrdude names it; empty when none

    bool isIndeterminate() const { return percent < 0; }
    // The phase in the user's language, with its memory.
    std::string phaseText() const { return modflash::phaseText(phase, memory); }
    bool operator==(const Progress&) const = default;
};

const char* stateName(Progress::State state);

} // namespace modflash
