// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/Subcommands.h"

#include "app/cli/CliText.h"
#include "app/cli/UpdateTarget.h"

namespace modflash::cli {

namespace {

QCommandLineOption jsonOption(const QString& description) {
    return {"json", description};
}

} // namespace

const std::vector<Subcommand>& subcommands() {
    static const std::vector<Subcommand> table{
        {"products",
         "[--all] [--json]",
         CliText::tr("the products on offer, one title a line"),
         CliText::tr(
             "Lists the products the window offers, in its order: those with firmware images, "
             "without the factory-only ones unless factory firmware is enabled."),
         {{"all", CliText::tr("List all products, offered or not.")},
          jsonOption(CliText::tr("Print a JSON array of {title, family, prefix, chip, factoryOnly, "
                                 "offered, versions}."))},
         listProducts},
        {"versions",
         "PRODUCT [--json]",
         CliText::tr("the firmware versions of a product, one a line"),
         CliText::tr(
             "Lists the versions of PRODUCT's firmware images in the order the version list shows "
             "them: the resource directory's, the user's own folder's, the feed's images already "
             "downloaded and the feed's releases still to download, as the last \"modflash-cli "
             "feed refresh\" verified them (nothing is read from the network). A feed release "
             "whose SHA-256 is that of an image listed before it is that image. PRODUCT is a "
             "title exactly as written or its page name (uTessary, Bruve)."),
         {jsonOption(CliText::tr("Print a JSON array of {version, source (bundled, user, cache "
                                 "or feed), path, sample} with, for the feed's, {size, sha256, "
                                 "date, notes, url}."))},
         listVersions},
        {"command",
         "PRODUCT (VERSION | --file PATH) [--json | --shell]",
         CliText::tr("the command an update would run (shown, not run)"),
         CliText::tr(
             "Shows the flashing command an update of PRODUCT with VERSION (or the image file "
             "PATH) "
             "would run, without running it: the program on the first line, then one argument a "
             "line. When a resource the command needs is missing, the reason goes to standard "
             "error "
             "and the exit status is 1; when the checks before writing refuse the image, the "
             "reason "
             "goes there and the exit status is 65."),
         {UpdateTarget::fileOption(),
          UpdateTarget::forceOption(),
          jsonOption(CliText::tr("Print a JSON object {program, arguments, environment}.")),
          {"shell", CliText::tr("Print the command as one line for a POSIX shell: the "
                                "environment's assignments, the program and its arguments, each "
                                "quoted where the shell needs it.")}},
         showCommand},
        {"check",
         "PRODUCT (VERSION | --file PATH) [--json]",
         CliText::tr("what the checks before writing find in an image"),
         CliText::tr(
             "Reads the image of PRODUCT's VERSION (or the file PATH) as an update would before "
             "writing it and prints what it found: its format, size, address range and SHA-256, "
             "each check and its result, and the verdict. With the module check on, a connected "
             "DFU "
             "boot loader's flash size counts too. The exit status is 0 when the image would be "
             "written and 65 when it would be refused."),
         {UpdateTarget::fileOption(), UpdateTarget::forceOption(),
          jsonOption(CliText::tr("Print a JSON object {file, format, size, dataBytes, addresses, "
                                 "sha256, checks, verdict, reason}."))},
         checkImage},
        {"update",
         "PRODUCT (VERSION | --file PATH)",
         CliText::tr("write the firmware onto the module (runs the command)"),
         CliText::tr(
             "Writes VERSION of PRODUCT (or the image file PATH) onto the module by running the "
             "command that \"modflash-cli command\" shows, and prints what the window's log shows: "
             "the command, the tool's output as it arrives and the verdict. Ctrl-C, SIGTERM or "
             "SIGHUP (the terminal closing) asks the tool to end and the verdict follows; a second "
             "one, or 5 seconds without an end, kills the tool. While the tool runs, the machine "
             "is "
             "kept from suspending, and when standard output and standard error are both a "
             "terminal, a line on standard error shows the tool's phase and progress.\n"
             "\n"
             "Before anything is written the image is checked (see \"modflash-cli check\") and, "
             "with "
             "the module check on, an AVR module's chip is read: a module of another product is "
             "refused.\n"
             "\n"
             "A feed release is downloaded first, into the download cache, and written only once "
             "its size and SHA-256 are the manifest's; without the network (--offline) only a "
             "release already downloaded can be written.\n"
             "\n"
             "Exit status: 0 the update completed; 1 the tool failed; 2 the update could not run "
             "(a "
             "resource is missing or the tool cannot start; the reason is on standard error); 64 a "
             "usage mistake; 65 the checks before writing refused the image or the module, or the "
             "download is not the image the feed offers (the "
             "reason is on standard error; nothing was written); 69 the feed release cannot be "
             "downloaded (network, HTTP status, time, --offline); 75 another update of this user "
             "is running (it is named on standard error); 128+N when signal N stopped the "
             "update (130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP), once the verdict is "
             "printed. "
             "A failure to write the output is reported on standard error and does not change the "
             "exit status."),
         {UpdateTarget::fileOption(), UpdateTarget::forceOption()},
         runUpdate},
        {"feed",
         "(refresh | list [--json] | clear)",
         CliText::tr("read the firmware feed, list its releases, empty the download cache"),
         CliText::tr(
             "refresh reads the feed's manifest and its signature from the server (--feed-url, "
             "else the one this modflash names) and keeps the manifest when its signature is a "
             "trusted key's and it is newer than any seen before. list prints the releases the "
             "manifest verified last offers, per product, without using the network. clear "
             "removes every downloaded image.\n"
             "\n"
             "Exit status of refresh: 0 a verified manifest is in hand (new or the same as "
             "before); 64 there is no feed (no URL built in or given) or --offline forbids the "
             "network; 65 the server's manifest is refused (the reason is on standard error; the "
             "one verified before stays in use); 69 the feed cannot be reached (network, HTTP "
             "status, time)."),
         {jsonOption(CliText::tr("For list: print a JSON object {feed, serial, products: [{title, "
                                 "prefix, releases: [{version, date, notes, url, size, sha256, "
                                 "downloaded}]}]}."))},
         runFeed},
        {"help",
         "[SUBCOMMAND]",
         CliText::tr("this help, or a subcommand's"),
         CliText::tr("Shows the general help, as --help does, or SUBCOMMAND's own, as "
                     "\"modflash-cli SUBCOMMAND --help\" does."),
         {},
         nullptr},
    };
    return table;
}

const Subcommand* findSubcommand(const QString& name) {
    for (const Subcommand& subcommand : subcommands())
        if (subcommand.name == name)
            return &subcommand;
    return nullptr;
}

} // namespace modflash::cli
