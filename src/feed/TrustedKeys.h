// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/MinisignKey.h"

#include <QCoreApplication>
#include <QString>

#include <optional>
#include <vector>

namespace modflash::feed {

// The keys a manifest may be signed with: those built in and those added for a run. A
// signature names its key by id; any other id is refused.
class TrustedKeys {
    Q_DECLARE_TR_FUNCTIONS(TrustedKeys)

public:
    // The keys the build names (MODFLASH_FEED_KEYS).
    static TrustedKeys builtIn();

    // Public keys as minisign writes them, one after another: each key line, optionally after
    // its "untrusted comment:" line; blank lines between them. Nothing else is taken.
    static std::optional<std::vector<MinisignKey>> parseKeyFile(QByteArrayView text,
                                                                QString* reason);

    void add(const MinisignKey& key);
    // Adds the keys of a key file; false with the reason when it cannot be read or holds
    // anything but keys, and then adds none.
    bool addFile(const QString& path, QString* reason);

    const MinisignKey* find(const QByteArray& keyId) const;
    bool isEmpty() const { return m_keys.empty(); }
    const std::vector<MinisignKey>& keys() const { return m_keys; }

private:
    std::vector<MinisignKey> m_keys;
};

} // namespace modflash::feed
