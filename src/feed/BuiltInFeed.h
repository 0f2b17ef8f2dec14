// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace modflash::feed {

// What the build fixes about the feed (the MODFLASH_FEED_* options): the keys a manifest may be
// signed with, the lowest serial taken and where the feed is.
class BuiltInFeed {
public:
    // The text of the keys file: minisign public keys, each optionally after its
    // "untrusted comment:" line. Empty when the build names no keys.
    static QByteArray keysText();
    // Manifests with a lower serial are refused whatever the user's state says, so that a
    // fresh installation cannot be handed a feed older than its release.
    static quint64 serialFloor();
    // The manifest's URL; empty when the feed is off.
    static QString defaultUrl();
};

} // namespace modflash::feed
