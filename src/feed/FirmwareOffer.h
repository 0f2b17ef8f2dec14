// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/FeedRelease.h"
#include "flashing/Firmware.h"

#include <QString>

#include <optional>
#include <string>

namespace modflash::feed {

// Where an offered image comes from, in the order the version list shows them: the resource
// directory, the user's own folder, the feed's images already downloaded, and the feed's
// releases still to download.
enum class FirmwareSource { Bundled, User, Cache, Feed };

// One entry of a product's version list.
struct FirmwareOffer {
    FirmwareSource source = FirmwareSource::Bundled;
    // The image file; none for a feed release not yet downloaded.
    FirmwarePtr firmware;
    // What the verified manifest says of a Cache or Feed image: its bytes must match it.
    std::optional<FeedRelease> release;

    std::string version() const {
        return firmware ? firmware->version() : release->version.toStdString();
    }
    // A feed release comes from the server when the update starts.
    bool needsDownload() const { return source == FirmwareSource::Feed; }

    // "bundled", "user", "cache", "feed": the names scripts read.
    static QString sourceName(FirmwareSource source);
};

} // namespace modflash::feed
