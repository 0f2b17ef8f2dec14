// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/TrustedKeys.h"

#include "feed/BuiltInFeed.h"

#include <QFile>

namespace modflash::feed {

namespace {

// Far more than any list of keys; a larger file is something else.
constexpr qint64 largestKeyFile = 64 * 1024;

} // namespace

TrustedKeys TrustedKeys::builtIn() {
    TrustedKeys trusted;
    QString reason;
    // CMake has checked the file's lines; a key that still does not parse is left out rather
    // than taking every other key with it.
    if (const auto keys = parseKeyFile(BuiltInFeed::keysText(), &reason))
        for (const MinisignKey& key : *keys)
            trusted.add(key);
    return trusted;
}

std::optional<std::vector<MinisignKey>> TrustedKeys::parseKeyFile(QByteArrayView text,
                                                                  QString* reason) {
    const auto refuse = [reason](const QString& why) -> std::optional<std::vector<MinisignKey>> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    if (text.size() > largestKeyFile)
        return refuse(tr("the key file holds more than %1 bytes: it is no list of public keys")
                          .arg(largestKeyFile));
    std::vector<MinisignKey> keys;
    bool commentSeen = false;
    int lineNumber = 0;
    for (QByteArrayView line : QByteArray(text.data(), text.size()).split('\n')) {
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() && !commentSeen)
            continue;
        if (line.isEmpty())
            return refuse(tr("line %1 of the key file: a comment with no key after it")
                              .arg(lineNumber - 1));
        if (line.startsWith("untrusted comment:") && !commentSeen) {
            commentSeen = true;
            continue;
        }
        QString why;
        const std::optional<MinisignKey> key = MinisignKey::fromBase64Line(line, &why);
        if (!key)
            return refuse(tr("line %1 of the key file: %2").arg(lineNumber).arg(why));
        keys.push_back(*key);
        commentSeen = false;
    }
    if (commentSeen)
        return refuse(tr("the key file ends with a comment and no key after it"));
    if (keys.empty())
        return refuse(tr("the key file holds no public key"));
    return keys;
}

void TrustedKeys::add(const MinisignKey& key) {
    if (!find(key.keyId()))
        m_keys.push_back(key);
}

bool TrustedKeys::addFile(const QString& path, QString* reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = tr("%1 cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    QString why;
    const auto keys = parseKeyFile(file.read(largestKeyFile + 1), &why);
    if (!keys) {
        if (reason)
            *reason = tr("%1: %2").arg(path, why);
        return false;
    }
    for (const MinisignKey& key : *keys)
        add(key);
    return true;
}

const MinisignKey* TrustedKeys::find(const QByteArray& keyId) const {
    for (const MinisignKey& key : m_keys)
        if (key.keyId() == keyId)
            return &key;
    return nullptr;
}

} // namespace modflash::feed
