// SPDX-License-Identifier: GPL-3.0-or-later
// Keys and signatures: minisign's own files are taken, anything else is refused with the part
// that is wrong named, and a signature verifies only over the exact bytes and comment signed.
#include "FeedTestSupport.h"
#include "TestSupport.h"

#include "feed/MinisignKey.h"
#include "feed/MinisignSignature.h"
#include "feed/MinisignVerifier.h"
#include "feed/TrustedKeys.h"

#include <gtest/gtest.h>

namespace modflash::feed {
namespace {

using testing::ThrowawayKey;

QByteArray keyLine(QByteArray algorithm = "Ed", int keyBytes = 40) {
    return (algorithm + QByteArray(keyBytes, '\x11')).toBase64();
}

struct BadText {
    const char* what;
    QByteArray text;
    const char* reason;
};

TEST(Keys, MalformedKeysAreRefusedWithTheirFault) {
    const QByteArray good = keyLine();
    const std::vector<BadText> cases{
        {"not base64", "RW!!" + good.mid(4), "not base64"},
        {"white space", good.left(20) + " " + good.mid(21), "not base64"},
        {"short", keyLine("Ed", 39), "holds 41 bytes"},
        {"other algorithm", keyLine("Ex"), "not an Ed25519"},
        {"padding missing", keyLine("Ed", 39).chopped(1), "not base64"},
        {"two keys", "untrusted comment: a\n" + good + "\n" + good + "\n", "2 public keys"},
        {"comment without key", "untrusted comment: a\n", "no key after it"},
        {"empty", "", "no public key"},
    };
    for (const BadText& bad : cases) {
        QString reason;
        EXPECT_FALSE(MinisignKey::parse(bad.text, &reason)) << bad.what;
        EXPECT_TRUE(reason.contains(bad.reason)) << bad.what << ": " << reason.toStdString();
    }
}

TEST(Keys, MinisignsOwnKeyFileIsRead) {
    const ThrowawayKey key;
    QString reason;
    const auto parsed = MinisignKey::parse(key.publicKeyText(), &reason);
    ASSERT_TRUE(parsed) << reason.toStdString();
    // minisign names the key by the same id in its comment line.
    EXPECT_TRUE(
        key.publicKeyText().contains("public key " + parsed->keyIdText().toLatin1() + "\n"));
    TrustedKeys keys;
    ASSERT_TRUE(keys.addFile(key.publicKeyPath(), &reason)) << reason.toStdString();
    EXPECT_TRUE(keys.find(parsed->keyId()));
}

TEST(Signatures, MalformedSignatureFilesAreRefusedWithTheirFault) {
    const ThrowawayKey key;
    const QList<QByteArray> lines = key.sign("manifest").split('\n');
    ASSERT_GE(lines.size(), 4);
    const auto joined = [](QList<QByteArray> parts) { return parts.join('\n') + '\n'; };
    const std::vector<BadText> cases{
        {"three lines", joined(lines.mid(0, 3)), "has 3 lines"},
        {"five lines", joined(lines.mid(0, 4) << "x"), "has 5 lines"},
        {"no untrusted comment", joined(QList{QByteArray("comment: x")} + lines.mid(1, 3)),
         "first line"},
        {"no trusted comment",
         joined(QList{lines[0], lines[1], QByteArray("comment: x"), lines[3]}), "third line"},
        {"signature not base64", joined(QList{lines[0], "*" + lines[1].mid(1), lines[2], lines[3]}),
         "signature line is not base64"},
        {"signature short", joined(QList{lines[0], lines[1].left(96), lines[2], lines[3]}),
         "holds 72 bytes"},
        {"other algorithm",
         joined(QList{lines[0], ("Xx" + QByteArray::fromBase64(lines[1]).mid(2)).toBase64(),
                      lines[2], lines[3]}),
         "algorithm"},
        {"global signature short", joined(QList{lines[0], lines[1], lines[2], lines[3].left(84)}),
         "trusted comment holds 63 bytes"},
        {"huge", QByteArray(20000, 'a'), "more than"},
    };
    for (const BadText& bad : cases) {
        QString reason;
        EXPECT_FALSE(MinisignSignature::parse(bad.text, &reason)) << bad.what;
        EXPECT_TRUE(reason.contains(bad.reason)) << bad.what << ": " << reason.toStdString();
    }
}

class Verification : public ::testing::Test {
protected:
    Verification() {
        QString reason;
        EXPECT_TRUE(trusted.addFile(key.publicKeyPath(), &reason)) << reason.toStdString();
    }
    MinisignVerifier::Result verify(const QByteArray& message, const QByteArray& signature) {
        return MinisignVerifier::verify(message, signature, trusted);
    }

    ThrowawayKey key;
    TrustedKeys trusted;
    const QByteArray message = "{\"format\": \"modflash-feed\"}\n";
};

TEST_F(Verification, BothOfMinisignsAlgorithmsVerify) {
    for (const bool legacy : {false, true}) {
        const auto result = verify(message, key.sign(message, legacy));
        EXPECT_TRUE(result.verified) << legacy << result.reason.toStdString();
        EXPECT_EQ(result.trustedComment, "feed test");
    }
    // Carriage returns before the line ends, as a copy through some servers has them.
    QByteArray signature = key.sign(message);
    EXPECT_TRUE(verify(message, signature.replace("\n", "\r\n")).verified);
}

TEST_F(Verification, AnyChangedByteIsRefused) {
    for (const bool legacy : {false, true}) {
        const QByteArray signature = key.sign(message, legacy);
        for (qsizetype at : {qsizetype(0), message.size() / 2, message.size() - 1}) {
            QByteArray changed = message;
            changed[at] = static_cast<char>(changed[at] ^ 1);
            const auto result = verify(changed, signature);
            EXPECT_FALSE(result.verified);
            EXPECT_TRUE(result.reason.contains("changed after it was signed"));
        }
        EXPECT_FALSE(verify(message + " ", signature).verified);
    }
}

TEST_F(Verification, AChangedSignatureOrTrustedCommentIsRefused) {
    QList<QByteArray> lines = key.sign(message).split('\n');
    const auto withLine = [&](int index, const QByteArray& line) {
        QList<QByteArray> changed = lines;
        changed[index] = line;
        return changed.join('\n');
    };
    QByteArray raw = QByteArray::fromBase64(lines[1]);
    raw[40] = static_cast<char>(raw[40] ^ 0x40);
    EXPECT_TRUE(verify(message, withLine(1, raw.toBase64())).reason.contains("does not match"));
    EXPECT_TRUE(verify(message, withLine(2, "trusted comment: feed tesT"))
                    .reason.contains("trusted comment was changed"));
    QByteArray global = QByteArray::fromBase64(lines[3]);
    global[0] = static_cast<char>(global[0] ^ 1);
    EXPECT_FALSE(verify(message, withLine(3, global.toBase64())).verified);
}

TEST_F(Verification, AKeyThatIsNotTrustedIsNamed) {
    const ThrowawayKey stranger;
    const auto strangerKey = MinisignKey::parse(stranger.publicKeyText(), nullptr);
    ASSERT_TRUE(strangerKey);
    const auto result = verify(message, stranger.sign(message));
    EXPECT_FALSE(result.verified);
    EXPECT_TRUE(result.reason.contains(strangerKey->keyIdText())) << result.reason.toStdString();
    EXPECT_TRUE(result.reason.contains("not a trusted key"));
    EXPECT_FALSE(MinisignVerifier::verify(message, key.sign(message), TrustedKeys()).verified);
}

} // namespace
} // namespace modflash::feed
