// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>

#include <optional>

namespace modflash::feed {

// A minisign public key: an Ed25519 key and the 8-byte id that signatures name it by.
class MinisignKey {
    Q_DECLARE_TR_FUNCTIONS(MinisignKey)

public:
    static constexpr qsizetype keyIdSize = 8;
    static constexpr qsizetype publicKeySize = 32;

    // The key's base64 line ("RW..."); reason, when given, says what is wrong with it.
    static std::optional<MinisignKey> fromBase64Line(QByteArrayView line, QString* reason);
    // A key as minisign writes it to a file: an "untrusted comment:" line, then the key line.
    // The bare key line alone is taken too.
    static std::optional<MinisignKey> parse(QByteArrayView text, QString* reason);

    const QByteArray& keyId() const { return m_keyId; }
    const QByteArray& publicKey() const { return m_publicKey; }
    // The id as minisign shows it, so that a person can match it with their key files.
    QString keyIdText() const { return keyIdText(m_keyId); }
    static QString keyIdText(const QByteArray& keyId);

private:
    MinisignKey(QByteArray keyId, QByteArray publicKey);

    QByteArray m_keyId;
    QByteArray m_publicKey;
};

} // namespace modflash::feed
