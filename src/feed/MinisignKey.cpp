// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/MinisignKey.h"

#include "feed/StrictBase64.h"
#include "feed/TrustedKeys.h"

#include <algorithm>

namespace modflash::feed {

MinisignKey::MinisignKey(QByteArray keyId, QByteArray publicKey)
    : m_keyId(std::move(keyId))
    , m_publicKey(std::move(publicKey)) {}

std::optional<MinisignKey> MinisignKey::fromBase64Line(QByteArrayView line, QString* reason) {
    const auto refuse = [reason](const QString& why) -> std::optional<MinisignKey> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    const std::optional<QByteArray> bytes = decodeStrictBase64(line);
    if (!bytes)
        return refuse(tr("the public key is not base64 text"));
    if (bytes->size() != 2 + keyIdSize + publicKeySize)
        return refuse(tr("the public key holds %1 bytes where a minisign key holds %2")
                          .arg(bytes->size())
                          .arg(2 + keyIdSize + publicKeySize));
    if (!bytes->startsWith("Ed"))
        return refuse(tr("the public key is not an Ed25519 minisign key"));
    return MinisignKey(bytes->mid(2, keyIdSize), bytes->mid(2 + keyIdSize));
}

std::optional<MinisignKey> MinisignKey::parse(QByteArrayView text, QString* reason) {
    const std::optional<std::vector<MinisignKey>> keys = TrustedKeys::parseKeyFile(text, reason);
    if (!keys)
        return std::nullopt;
    if (keys->size() != 1) {
        if (reason)
            *reason = tr("the file holds %1 public keys where one was expected").arg(keys->size());
        return std::nullopt;
    }
    return keys->front();
}

QString MinisignKey::keyIdText(const QByteArray& keyId) {
    // minisign reads the id as a little-endian number and shows it in upper-case hexadecimal,
    // without leading zeros.
    QByteArray reversed = keyId;
    std::reverse(reversed.begin(), reversed.end());
    QString text = QString::fromLatin1(reversed.toHex().toUpper());
    while (text.size() > 1 && text.startsWith(QLatin1Char('0')))
        text.remove(0, 1);
    return text;
}

} // namespace modflash::feed
