#pragma once

#include "Request.h"

#include <QCommandLineOption>
#include <QList>

class QCommandLineParser;

namespace modflash::cli {

class Subcommand;
class SubcommandTable;

// Turns modflash-cli's arguments into a Request. Options may stand anywhere; the first
// positional argument chooses the subcommand, which decides the options it accepts. Help and
// version requests become text to print. Throws UsageError for anything that cannot be used.
class CommandLine {
public:
    explicit CommandLine(const SubcommandTable& subcommands);

    // The arguments as QCoreApplication::arguments() gives them, the program first.
    Request parse(const QStringList& arguments) const;

    QString generalHelp() const;
    QString subcommandHelp(const Subcommand& subcommand) const;

private:
    static QList<QCommandLineOption> globalOptions();
    static void addGlobalOptions(QCommandLineParser& parser);
    static void throwParseError(const QCommandLineParser& parser, const QString& helpCommand);
    static RunOverrides readOverrides(const QCommandLineParser& parser);

    const Subcommand* chooseSubcommand(const QStringList& arguments, Request& request) const;
    Request parseFor(const Subcommand& subcommand, const QStringList& arguments) const;

    const SubcommandTable& m_subcommands;
};

} // namespace modflash::cli
