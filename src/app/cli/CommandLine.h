// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cli/Request.h"

#include <QCommandLineOption>
#include <QList>

class QCommandLineParser;

namespace modflash::cli {

struct Subcommand;

// Turns modflash-cli's arguments into a Request. Options may stand anywhere; the first
// positional argument chooses the subcommand, which decides the options it accepts. Help and
// version requests, "help" among them, become text to print. Throws UsageError for anything that
// cannot be used.
class CommandLine {
public:
    // The arguments as QCoreApplication::arguments() gives them, the program first.
    static Request parse(const QStringList& arguments);

    static QString generalHelp();
    static QString subcommandHelp(const Subcommand& subcommand);

private:
    static QList<QCommandLineOption> globalOptions();
    // The global options with -h/--help and -v/--version: what every parser accepts.
    static QList<QCommandLineOption> commonOptions();
    // options: those the parser was given, to suggest one for a mistyped name.
    [[noreturn]] static void throwParseError(const QCommandLineParser& parser,
                                             const QString& helpCommand,
                                             const QList<QCommandLineOption>& options);
    static RunOverrides readOverrides(const QCommandLineParser& parser);
    static FeedOptions readFeedOptions(const QCommandLineParser& parser);

    static const Subcommand* chooseSubcommand(const QStringList& arguments, Request& request);
    static Request helpFor(const QStringList& arguments);
    static Request parseFor(const Subcommand& subcommand, const QStringList& arguments);
};

} // namespace modflash::cli
