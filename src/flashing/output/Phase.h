// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace modflash {

// The phases a flashing tool's output or the download of an image can be in. Each front end
// shows one in the user's language through phaseText(); nothing compares the words.
enum class Phase {
    None,     // an update that ended before its output named a phase
    Starting, // the tool runs, its output has named no phase yet
    Connecting,
    Erasing,
    MassErasing,
    ErasingAndWriting,
    Writing,
    Reading,
    Verifying,
    Downloading,         // the image coming from the feed
    DownloadingToModule, // dfu-util's "Download": the image going to the module
};

// The phase in words, translated by the installed look-up (TextLookup); the memory, when
// given, as avrdude names it ("flash", "eeprom", "hfuse"), which stays untranslated. Empty for
// Phase::None.
std::string phaseText(Phase phase, const std::string& memory = {});

} // namespace modflash
