// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace modflash::feedtool {

// modflash-feed's two streams, written as UTF-8 whatever the locale: results to standard output,
// reasons to standard error after the program's name.
namespace Console {
void line(const QString& text);
void error(const QString& reason);
// Whether everything reached standard output (not a closed pipe or a full disk).
bool finish();
} // namespace Console

} // namespace modflash::feedtool
