// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/MinisignVerifier.h"

#include <QStringList>

#include <openssl/evp.h>

#include <memory>

namespace modflash::feed {

namespace {

const unsigned char* bytesOf(QByteArrayView data) {
    // OpenSSL wants a pointer even for no bytes; an empty view may have none.
    static const unsigned char nothing = 0;
    return data.isEmpty() ? &nothing : reinterpret_cast<const unsigned char*>(data.data());
}

bool ed25519Verifies(const QByteArray& publicKey, QByteArrayView message,
                     const QByteArray& signature) {
    const std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(
        EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, bytesOf(publicKey),
                                    static_cast<size_t>(publicKey.size())),
        &EVP_PKEY_free);
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                          &EVP_MD_CTX_free);
    if (!key || !context ||
        EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1)
        return false;
    return EVP_DigestVerify(context.get(), bytesOf(signature),
                            static_cast<size_t>(signature.size()), bytesOf(message),
                            static_cast<size_t>(message.size())) == 1;
}

std::optional<QByteArray> blake2b512(QByteArrayView message) {
    const std::unique_ptr<EVP_MD, decltype(&EVP_MD_free)> digest(
        EVP_MD_fetch(nullptr, "BLAKE2B-512", nullptr), &EVP_MD_free);
    if (!digest)
        return std::nullopt;
    QByteArray hash(EVP_MAX_MD_SIZE, '\0');
    unsigned int length = 0;
    if (EVP_Digest(bytesOf(message), static_cast<size_t>(message.size()),
                   reinterpret_cast<unsigned char*>(hash.data()), &length, digest.get(),
                   nullptr) != 1)
        return std::nullopt;
    hash.resize(length);
    return hash;
}

MinisignVerifier::Result refused(const QString& reason) {
    MinisignVerifier::Result result;
    result.reason = reason;
    return result;
}

} // namespace

MinisignVerifier::Result MinisignVerifier::verify(QByteArrayView message,
                                                  QByteArrayView signatureFile,
                                                  const TrustedKeys& keys) {
    QString reason;
    const std::optional<MinisignSignature> signature =
        MinisignSignature::parse(signatureFile, &reason);
    if (!signature)
        return refused(reason);
    return verify(message, *signature, keys);
}

MinisignVerifier::Result MinisignVerifier::verify(QByteArrayView message,
                                                  const MinisignSignature& signature,
                                                  const TrustedKeys& keys) {
    const MinisignKey* key = keys.find(signature.keyId());
    if (!key) {
        QStringList trusted;
        for (const MinisignKey& each : keys.keys())
            trusted.append(each.keyIdText());
        const QString known =
            trusted.isEmpty() ? tr("none is trusted") : tr("trusted: %1").arg(trusted.join(", "));
        return refused(tr("signed with key %1, which is not a trusted key (%2)")
                           .arg(MinisignKey::keyIdText(signature.keyId()), known));
    }
    std::optional<QByteArray> signedBytes;
    if (signature.algorithm() == MinisignSignature::Algorithm::Prehashed) {
        signedBytes = blake2b512(message);
        if (!signedBytes)
            return refused(tr("this OpenSSL cannot compute BLAKE2b-512 hashes"));
    }
    const QByteArrayView signedMessage = signedBytes ? QByteArrayView(*signedBytes) : message;
    if (!ed25519Verifies(key->publicKey(), signedMessage, signature.signature()))
        return refused(tr("the signature does not match the file: it was changed after it was "
                          "signed, or signed with another key of the same id"));
    const QByteArray global = signature.signature() + signature.trustedComment();
    if (!ed25519Verifies(key->publicKey(), global, signature.globalSignature()))
        return refused(tr("the signature's trusted comment was changed after it was signed"));
    Result result;
    result.verified = true;
    result.keyId = signature.keyId();
    result.trustedComment = signature.trustedComment();
    return result;
}

} // namespace modflash::feed
