// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/MinisignSignature.h"

#include "feed/MinisignKey.h"
#include "feed/StrictBase64.h"

#include <QList>

namespace modflash::feed {

namespace {

constexpr QByteArrayView untrustedPrefix = "untrusted comment: ";
constexpr QByteArrayView trustedPrefix = "trusted comment: ";

bool fail(QString* reason, const QString& why) {
    if (reason)
        *reason = why;
    return false;
}

// The file's lines, as minisign reads them: "\n" ends a line and a "\r" before it is dropped;
// the last line may lack its "\n".
QList<QByteArrayView> linesOf(QByteArrayView text) {
    QList<QByteArrayView> lines;
    while (!text.isEmpty()) {
        const qsizetype end = text.indexOf('\n');
        QByteArrayView line = end < 0 ? text : text.first(end);
        text = end < 0 ? QByteArrayView() : text.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(line);
    }
    return lines;
}

} // namespace

std::optional<MinisignSignature> MinisignSignature::parse(QByteArrayView text, QString* reason) {
    if (text.size() > largestFile) {
        fail(reason, tr("the signature file holds more than %1 bytes: it is no minisign signature")
                         .arg(largestFile));
        return std::nullopt;
    }
    const QList<QByteArrayView> lines = linesOf(text);
    if (lines.size() != 4) {
        fail(reason, tr("the signature file has %1 lines where a minisign signature has 4")
                         .arg(lines.size()));
        return std::nullopt;
    }
    if (!lines[0].startsWith(untrustedPrefix)) {
        fail(reason, tr("the signature file's first line is not an \"untrusted comment:\""));
        return std::nullopt;
    }
    if (!lines[2].startsWith(trustedPrefix)) {
        fail(reason, tr("the signature file's third line is not a \"trusted comment:\""));
        return std::nullopt;
    }
    MinisignSignature signature;
    if (!signature.readSignatureLine(lines[1], reason) ||
        !signature.readGlobalLine(lines[3], reason))
        return std::nullopt;
    signature.m_trustedComment = lines[2].sliced(trustedPrefix.size()).toByteArray();
    return signature;
}

bool MinisignSignature::readSignatureLine(QByteArrayView line, QString* reason) {
    const std::optional<QByteArray> bytes = decodeStrictBase64(line);
    if (!bytes)
        return fail(reason, tr("the signature line is not base64 text"));
    const qsizetype expected = 2 + MinisignKey::keyIdSize + signatureSize;
    if (bytes->size() != expected)
        return fail(reason, tr("the signature line holds %1 bytes where a minisign signature "
                               "holds %2")
                                .arg(bytes->size())
                                .arg(expected));
    if (bytes->startsWith("ED"))
        m_algorithm = Algorithm::Prehashed;
    else if (bytes->startsWith("Ed"))
        m_algorithm = Algorithm::Legacy;
    else
        return fail(reason, tr("the signature uses an algorithm other than minisign's Ed25519"));
    m_keyId = bytes->mid(2, MinisignKey::keyIdSize);
    m_signature = bytes->mid(2 + MinisignKey::keyIdSize);
    return true;
}

bool MinisignSignature::readGlobalLine(QByteArrayView line, QString* reason) {
    const std::optional<QByteArray> bytes = decodeStrictBase64(line);
    if (!bytes)
        return fail(reason, tr("the signature of the trusted comment is not base64 text"));
    if (bytes->size() != signatureSize)
        return fail(reason, tr("the signature of the trusted comment holds %1 bytes where an "
                               "Ed25519 signature holds %2")
                                .arg(bytes->size())
                                .arg(signatureSize));
    m_globalSignature = *bytes;
    return true;
}

} // namespace modflash::feed
