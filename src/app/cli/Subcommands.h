// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

#include <vector>

namespace modflash::cli {

class CommandContext;
struct Request;

// One word after "modflash-cli" and what it does. The parser learns a subcommand's options and
// usage from here, --help shows them, and run does the work: it returns the exit status and
// throws UsageError for what was typed wrong. help has no run: the command line answers it.
struct Subcommand {
    QString name;                      // "products"
    QString synopsis;                  // what follows the name in a usage line
    QString summary;                   // one line for the general --help
    QString description;               // the paragraph its own --help shows above the options
    QList<QCommandLineOption> options; // besides the ones every subcommand takes
    int (*run)(const Request& request, CommandContext& context); // null for help
};

// Every subcommand, in the order the general --help lists them.
const std::vector<Subcommand>& subcommands();
const Subcommand* findSubcommand(const QString& name);

int listProducts(const Request& request, CommandContext& context);
int listVersions(const Request& request, CommandContext& context);
int showCommand(const Request& request, CommandContext& context);
int checkImage(const Request& request, CommandContext& context);
int runUpdate(const Request& request, CommandContext& context);
int runFeed(const Request& request, CommandContext& context);

} // namespace modflash::cli
