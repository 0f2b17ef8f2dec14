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
// version requests become text to print. Throws UsageError for anything that cannot be used.
class CommandLine {
public:
    // The arguments as QCoreApplication::arguments() gives them, the program first.
    static Request parse(const QStringList& arguments);

    static QString generalHelp();
    static QString subcommandHelp(const Subcommand& subcommand);

private:
    static QList<QCommandLineOption> globalOptions();
    static void addGlobalOptions(QCommandLineParser& parser);
    static void throwParseError(const QCommandLineParser& parser, const QString& helpCommand);
    static RunOverrides readOverrides(const QCommandLineParser& parser);
    static FeedOptions readFeedOptions(const QCommandLineParser& parser);

    static const Subcommand* chooseSubcommand(const QStringList& arguments, Request& request);
    static Request parseFor(const Subcommand& subcommand, const QStringList& arguments);
};

} // namespace modflash::cli
