// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/MinisignSignature.h"
#include "feed/TrustedKeys.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>

namespace modflash::feed {

// Checks a file against its detached minisign signature with OpenSSL's Ed25519: the key must
// be a trusted one, the signature must be over the file's exact bytes (or their BLAKE2b-512
// hash) and the trusted comment must be signed as well.
class MinisignVerifier {
    Q_DECLARE_TR_FUNCTIONS(MinisignVerifier)

public:
    struct Result {
        bool verified = false;
        // Why not, when it is not.
        QString reason;
        // The key that signed it and the comment it signed, when verified.
        QByteArray keyId;
        QByteArray trustedComment;
    };

    static Result verify(QByteArrayView message, QByteArrayView signatureFile,
                         const TrustedKeys& keys);
    static Result verify(QByteArrayView message, const MinisignSignature& signature,
                         const TrustedKeys& keys);
};

} // namespace modflash::feed
