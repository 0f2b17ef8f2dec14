#pragma once

#include <optional>
#include <string>

namespace modflash::cli {

// Preference values given on the command line for this run only; an empty one leaves the
// stored preference in force.
struct RunOverrides {
    std::optional<std::string> avrProgrammer;
    std::optional<std::string> stlinkProgrammer;
    std::optional<bool> factoryFirmware;
    std::optional<bool> massErase;
};

} // namespace modflash::cli
