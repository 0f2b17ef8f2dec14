// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace modflash {

// Where a flashing tool has got to, as far as its output tells: the phase it is in, how far
// through that phase (when the tool prints numbers) and whether the phase is still going.
struct Progress {
    enum class State { Running, Done, Failed, Stopped };

    static constexpr int indeterminate = -1;

    std::string phase;           // none once a tool succeeded without its output naming one
    int percent = indeterminate; // 0 to 100, or indeterminate
    State state = State::Running;

    bool isIndeterminate() const { return percent < 0; }
    bool operator==(const Progress&) const = default;
};

const char* stateName(Progress::State state);

} // namespace modflash
