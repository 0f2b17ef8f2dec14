#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

namespace modflash::cli {

class CommandContext;
struct Request;

// One word after "modflash-cli" and what it does. The parser learns a subcommand's options and
// usage from here, --help shows them, and run() does the work. Register new subcommands in
// SubcommandTable.cpp.
class Subcommand {
public:
    virtual ~Subcommand() = default;

    // The word typed to choose it, e.g. "products".
    virtual QString name() const = 0;
    // What follows the name in a usage line, e.g. "PRODUCT [--json]".
    virtual QString synopsis() const = 0;
    // One line for the list of subcommands in the general --help.
    virtual QString summary() const = 0;
    // The paragraph its own --help shows above the options.
    virtual QString description() const = 0;
    // The options it accepts besides the ones every subcommand takes.
    virtual QList<QCommandLineOption> options() const = 0;

    // Does the work and returns the exit status. Throws UsageError for what was typed wrong;
    // lets MissingResourceError through when a command cannot be built.
    virtual int run(const Request& request, CommandContext& context) const = 0;
};

} // namespace modflash::cli
