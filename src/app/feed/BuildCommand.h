// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace modflash::feedtool {

// modflash-feed build: a feed's manifest and images from a directory of images, and the
// minisign command that signs it.
namespace BuildCommand {
int run(const QStringList& arguments);
// A word for sh: as it is when it is plain, in single quotes otherwise.
QString shellWord(const QString& word);
} // namespace BuildCommand

} // namespace modflash::feedtool
