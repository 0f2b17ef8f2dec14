// SPDX-License-Identifier: GPL-3.0-or-later
// The manifest reader on any bytes, as it meets them once a signature has verified: it must
// refuse or read, never crash, hang or read out of bounds.
#include "feed/ManifestReader.h"

#include "catalogue/ProductCatalogue.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const modflash::ProductCatalogue catalogue;
    static const modflash::feed::ManifestReader::Context context = [] {
        modflash::feed::ManifestReader::Context made;
        made.feedName = QStringLiteral("stable");
        made.manifestUrl = QUrl(QStringLiteral("https://feed.example/stable/manifest.json"));
        made.now = QDateTime(QDate(2026, 12, 2), QTime(0, 0), Qt::UTC);
        return made;
    }();
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto reading = modflash::feed::ManifestReader::read(bytes, context, catalogue);
    // Every refusal says why.
    if (!reading.manifest && reading.reason.isEmpty())
        __builtin_trap();
    return 0;
}
