// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/feed/SubcommandParser.h"

#include "app/feed/Console.h"
#include "app/feed/FeedError.h"

namespace modflash::feedtool {

namespace {

FeedError usage(const QString& name, const QString& reason) {
    return {EX_USAGE, reason + QStringLiteral(" (see modflash-feed %1 --help)").arg(name)};
}

} // namespace

SubcommandParser::SubcommandParser(const QString& name, const QString& description,
                                   const std::vector<std::pair<QString, QString>>& arguments)
    : m_name(name) {
    m_parser.setApplicationDescription(description);
    m_parser.addHelpOption();
    for (const auto& [argument, text] : arguments) {
        m_parser.addPositionalArgument(argument, text);
        m_argumentNames.append(argument);
    }
}

bool SubcommandParser::parse(const QStringList& arguments) {
    // Qt's parser takes the first argument for the program's; the subcommand's name is there.
    if (!m_parser.parse(arguments))
        throw usage(m_name, m_parser.errorText());
    if (m_parser.isSet(QStringLiteral("help"))) {
        QString help = m_parser.helpText().trimmed();
        // The usage line names the program; it is the subcommand's.
        help.replace(0, help.indexOf(QLatin1String(" [options]")),
                     QStringLiteral("Usage: modflash-feed ") + m_name);
        Console::line(help);
        return false;
    }
    m_positional = m_parser.positionalArguments();
    if (m_positional.size() != m_argumentNames.size())
        throw usage(m_name, QStringLiteral("%1 takes %2; given: %3")
                                .arg(m_name, m_argumentNames.join(' '),
                                     m_positional.isEmpty()
                                         ? QStringLiteral("none")
                                         : "“" + m_positional.join(QStringLiteral("” “")) + "”"));
    return true;
}

quint64 SubcommandParser::number(const QString& option, quint64 largest) const {
    const QString text = required(option);
    bool ok = false;
    const quint64 value = text.toULongLong(&ok);
    // toULongLong takes a sign and blanks too; a number here is digits alone.
    if (!ok || value > largest ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; }))
        throw usage(m_name, QStringLiteral("--%1 takes a whole number from 0 to %2, not “%3”")
                                .arg(option)
                                .arg(largest)
                                .arg(text));
    return value;
}

QString SubcommandParser::required(const QString& option) const {
    if (!m_parser.isSet(option))
        throw usage(m_name, QStringLiteral("--%1 is missing").arg(option));
    return m_parser.value(option);
}

} // namespace modflash::feedtool
