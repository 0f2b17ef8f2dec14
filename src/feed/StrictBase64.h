// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace modflash::feed {

// Standard base64 with padding, in its one canonical spelling: no white space, no missing or
// extra padding, no stray bits. A signature or key written any other way is not what its
// maker's tool wrote, and is refused rather than guessed at.
std::optional<QByteArray> decodeStrictBase64(QByteArrayView text);

} // namespace modflash::feed
