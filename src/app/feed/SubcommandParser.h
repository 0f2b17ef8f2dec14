// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace modflash::feedtool {

// The command line of one subcommand: its options and arguments, its --help, and each mistake
// in it as a FeedError with EX_USAGE.
class SubcommandParser {
public:
    // arguments: the name and description of each argument the subcommand takes.
    SubcommandParser(const QString& name, const QString& description,
                     const std::vector<std::pair<QString, QString>>& arguments);

    void addOption(const QCommandLineOption& option) { m_parser.addOption(option); }
    // arguments: from the subcommand's name on. False when --help was asked for (and shown).
    bool parse(const QStringList& arguments);

    QString value(const QString& option) const { return m_parser.value(option); }
    QStringList values(const QString& option) const { return m_parser.values(option); }
    bool isSet(const QString& option) const { return m_parser.isSet(option); }
    const QStringList& positional() const { return m_positional; }
    // The option's value as a whole number from 0 to largest; a usage error otherwise.
    quint64 number(const QString& option, quint64 largest) const;
    // The option's value; a usage error when it is missing.
    QString required(const QString& option) const;

private:
    QString m_name;
    QStringList m_argumentNames;
    QCommandLineParser m_parser;
    QStringList m_positional;
};

} // namespace modflash::feedtool
