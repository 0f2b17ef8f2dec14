// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace modflash::feedtool {

// modflash-feed verify: checks a signed manifest as modflash checks it, and the images beside
// it, and says what modflash would offer from it.
namespace VerifyCommand {
int run(const QStringList& arguments);
} // namespace VerifyCommand

} // namespace modflash::feedtool
