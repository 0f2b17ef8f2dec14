// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-in for avrdude's progress bar: "Writing | " and then one "#" at a time on standard
// error, unbuffered, with a pause between marks, then the end of the bar.
//
//   hashmarks [MARKS [PAUSE_MS]]

#include "WriteAll.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

void say(const char* text) {
    modflash::bench::writeAll(2, text, std::strlen(text));
}

} // namespace

int main(int argc, char* argv[]) {
    const long marks = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 50;
    const long pauseMs = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 40;
    const timespec pause{pauseMs / 1000, (pauseMs % 1000) * 1000000L};
    say("\navrdude: writing flash (1024 bytes):\n\nWriting | ");
    for (long i = 0; i < marks; ++i) {
        nanosleep(&pause, nullptr);
        say("#");
    }
    say(" | 100% 1.00s\n\navrdude: 1024 bytes of flash written\n");
    return 0;
}
