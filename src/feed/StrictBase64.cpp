// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/StrictBase64.h"

namespace modflash::feed {

std::optional<QByteArray> decodeStrictBase64(QByteArrayView text) {
    if (text.isEmpty() || text.size() % 4 != 0)
        return std::nullopt;
    const QByteArray encoded = text.toByteArray();
    auto decoded = QByteArray::fromBase64Encoding(encoded, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    // Encoding again gives the canonical text; anything else had padding or bits out of place.
    if (decoded.decoded.toBase64() != encoded)
        return std::nullopt;
    return std::move(decoded.decoded);
}

} // namespace modflash::feed
