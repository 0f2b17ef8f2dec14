// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"
#include "feed/FirmwareOffer.h"
#include "flashing/Firmware.h"
#include "flashing/ImageReport.h"

#include <QCommandLineOption>

namespace modflash::cli {

class CommandContext;
struct Request;

// The product and the firmware image an update is for, named on the command line as
// "PRODUCT (VERSION | --file PATH)". Shared by every subcommand that takes that shape.
struct UpdateTarget {
    ProductPtr product;
    // The offered image VERSION names, or the file --file names.
    feed::FirmwareOffer offer;
    // The image file; for a feed release not yet downloaded, where the download will put it.
    FirmwarePtr firmware;

    // The --file and --force options, for the subcommand's option list.
    static QCommandLineOption fileOption();
    static QCommandLineOption forceOption();

    // Resolves the arguments the way the window's lists do: VERSION must be the version text
    // of exactly one of the product's images, from any source; --file, like "Other...", needs
    // factory firmware and an existing file of the product's image type, and yields a Firmware with
    // an empty prefix. Throws UsageError otherwise.
    static UpdateTarget fromRequest(const Request& request, const CommandContext& context);

    // The image checked for the product, against the connected module's flash where its boot
    // loader says it; in the user's words unless scripts read the report.
    ImageReport checkImage(const CommandContext& context,
                           const Wording& wording = Wording::user()) const;
    // Whether a refused image may be written all the same: --force, and factory firmware on.
    static bool mayForce(const Request& request, const CommandContext& context);
    // Throws Refusal unless the image may be written; a feed release still to download is
    // checked once it is here.
    void requireWritable(const Request& request, const CommandContext& context) const;
    // Brings a feed image into the download cache, or finds it there intact, so that firmware
    // names its file; returns the exit status and says why on failure, 0 on success.
    int fetch(CommandContext& context);
};

} // namespace modflash::cli
