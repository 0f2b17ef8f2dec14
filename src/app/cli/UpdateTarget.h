#pragma once

#include "Firmware.h"
#include "Product.h"

#include <QCommandLineOption>

namespace modflash::cli {

class CommandContext;
struct Request;

// The product and the firmware image an update is for, named on the command line as
// "PRODUCT (VERSION | --file PATH)". Shared by every subcommand that takes that shape.
struct UpdateTarget {
    ProductPtr product;
    FirmwarePtr firmware;

    // The --file option, for the subcommand's option list.
    static QCommandLineOption fileOption();

    // Resolves the arguments the way the window's lists do: VERSION must be the version text
    // of exactly one of the product's images; --file, like "Other...", needs factory firmware
    // and an existing file of the product's image type, and yields a Firmware with an empty
    // prefix. Throws UsageError otherwise.
    static UpdateTarget fromRequest(const Request& request, const CommandContext& context);
};

} // namespace modflash::cli
