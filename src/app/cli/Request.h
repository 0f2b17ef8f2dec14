// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace modflash::cli {

struct Subcommand;

// Preference values given on the command line for this run only; an empty one leaves the
// stored preference in force.
struct RunOverrides {
    std::optional<std::string> avrProgrammer;
    std::optional<std::string> stlinkProgrammer;
    std::optional<bool> factoryFirmware;
    std::optional<bool> massErase;
    std::optional<bool> moduleCheck;
};

// Which feed this run reads and how: empty values leave the built-in ones.
struct FeedOptions {
    QString url;
    QStringList keyFiles;
    QString name;
    // No network use at all: only what is on this computer is offered and written.
    bool offline = false;
};

// What the command line asks for, once parsed: which subcommand with which arguments and
// options, or the help or version text.
struct Request {
    enum class Action { Run, ShowText };

    Action action = Action::Run;
    QString text; // the help or version text to print, for ShowText

    const Subcommand* subcommand = nullptr;
    QStringList arguments;          // the subcommand's positional arguments
    QMap<QString, QString> options; // the subcommand's own options that were given, by name
    QString resourceDirectory;      // empty: the one that belongs to the executable
    RunOverrides overrides;
    FeedOptions feed;

    bool isSet(const QString& option) const { return options.contains(option); }
    QString value(const QString& option) const { return options.value(option); }
};

} // namespace modflash::cli
