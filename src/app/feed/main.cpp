// SPDX-License-Identifier: GPL-3.0-or-later
// modflash-feed: builds a firmware feed from a directory of images for the maker to sign with
// minisign, and checks a signed feed as modflash does before it is published. It never sees a
// secret key.
#include "app/feed/BuildCommand.h"
#include "app/feed/Console.h"
#include "app/feed/FeedError.h"
#include "app/feed/VerifyCommand.h"
#include "flashing/Utf8.h"

#include <QCoreApplication>

namespace modflash::feedtool {

namespace {

const QString overview = QStringLiteral(
    "Usage: modflash-feed build [--feed NAME] --serial N --expires DAYS [--notes-dir DIR]\n"
    "                           [--withdraw IMAGE]... [--secret-key FILE] IMAGES_DIR OUT_DIR\n"
    "       modflash-feed verify [--key KEY.pub] [--feed NAME] [--url URL] MANIFEST\n"
    "       modflash-feed --help | --version\n"
    "\n"
    "Publishes firmware for modflash: build writes a feed's manifest.json and its images, and\n"
    "prints the minisign command that signs it; verify checks the signed manifest and the\n"
    "images beside it as modflash does.\n"
    "\n"
    "Options:\n"
    "  -h, --help  Displays this help; after a subcommand, the subcommand's options.\n"
    "  --version   Displays the version.");

int run(const QStringList& arguments) {
    const QString first = arguments.value(1);
    const QStringList rest = arguments.mid(1);
    if (first == QLatin1String("build"))
        return BuildCommand::run(rest);
    if (first == QLatin1String("verify"))
        return VerifyCommand::run(rest);
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        Console::line(overview);
        return EX_OK;
    }
    if (first == QLatin1String("--version")) {
        Console::line(QStringLiteral("modflash-feed " MODFLASH_VERSION));
        return EX_OK;
    }
    throw FeedError{EX_USAGE, first.isEmpty()
                                  ? QStringLiteral("give a subcommand: build or verify (see "
                                                   "modflash-feed --help)")
                                  : QStringLiteral("“%1” is no subcommand: build or verify (see "
                                                   "modflash-feed --help)")
                                        .arg(first)};
}

} // namespace

} // namespace modflash::feedtool

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("modflash-feed"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MODFLASH_VERSION));
    using namespace modflash::feedtool;
    int status = EX_OK;
    try {
        // A name that is not UTF-8 would come out of Qt naming another file.
        for (int i = 1; i < argc; ++i)
            if (!modflash::isValidUtf8(argv[i]))
                throw FeedError{EX_USAGE, QStringLiteral("argument %1 is not valid UTF-8; rename "
                                                         "the file it names")
                                              .arg(i)};
        status = run(QCoreApplication::arguments());
    } catch (const FeedError& error) {
        Console::error(error.reason);
        status = error.status;
    }
    if (!Console::finish()) {
        Console::error(QStringLiteral("standard output cannot be written"));
        return status == EX_OK ? EX_IOERR : status;
    }
    return status;
}
