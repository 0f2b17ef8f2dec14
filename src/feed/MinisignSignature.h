// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>

#include <optional>

namespace modflash::feed {

// A detached minisign signature (a ".minisig" file), read but not yet checked: the signature
// of the file, the key id it names, the trusted comment and the signature over both.
class MinisignSignature {
    Q_DECLARE_TR_FUNCTIONS(MinisignSignature)

public:
    // "Ed" signs the file itself (minisign's legacy form), "ED" signs its BLAKE2b-512 hash.
    enum class Algorithm { Legacy, Prehashed };

    static constexpr qsizetype signatureSize = 64;
    // minisign allows trusted comments of up to 8 KiB; the whole file is bounded by that.
    static constexpr qsizetype largestFile = 16 * 1024;

    // reason, when given, says what is wrong with the file.
    static std::optional<MinisignSignature> parse(QByteArrayView text, QString* reason);

    Algorithm algorithm() const { return m_algorithm; }
    const QByteArray& keyId() const { return m_keyId; }
    const QByteArray& signature() const { return m_signature; }
    // The bytes after "trusted comment: ", as signed.
    const QByteArray& trustedComment() const { return m_trustedComment; }
    const QByteArray& globalSignature() const { return m_globalSignature; }

private:
    MinisignSignature() = default;
    bool readSignatureLine(QByteArrayView line, QString* reason);
    bool readGlobalLine(QByteArrayView line, QString* reason);

    Algorithm m_algorithm = Algorithm::Prehashed;
    QByteArray m_keyId;
    QByteArray m_signature;
    QByteArray m_trustedComment;
    QByteArray m_globalSignature;
};

} // namespace modflash::feed
