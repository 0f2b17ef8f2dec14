// SPDX-License-Identifier: GPL-3.0-or-later
// What comes before the manifest is read: a public key and a signature file on any bytes, and
// the verification of a fixed message with them. The input is split at its first NUL byte into
// key text and signature text.
#include "feed/MinisignKey.h"
#include "feed/MinisignVerifier.h"
#include "feed/TrustedKeys.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArrayView keyText = split < 0 ? input : input.first(split);
    const QByteArrayView signatureText = split < 0 ? QByteArrayView() : input.sliced(split + 1);
    QString reason;
    modflash::feed::TrustedKeys keys;
    if (const auto key = modflash::feed::MinisignKey::parse(keyText, &reason))
        keys.add(*key);
    else if (reason.isEmpty())
        __builtin_trap();
    const auto result = modflash::feed::MinisignVerifier::verify("manifest", signatureText, keys);
    if (!result.verified && result.reason.isEmpty())
        __builtin_trap();
    return 0;
}
