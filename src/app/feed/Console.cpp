// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/feed/Console.h"

#include <cstdio>

namespace modflash::feedtool::Console {

void line(const QString& text) {
    const QByteArray bytes = (text + '\n').toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

void error(const QString& reason) {
    std::fflush(stdout);
    const QByteArray bytes = ("modflash-feed: " + reason + '\n').toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
}

bool finish() {
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

} // namespace modflash::feedtool::Console
