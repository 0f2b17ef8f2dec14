// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/CommandLine.h"

#include "app/cli/CliText.h"
#include "app/cli/Subcommands.h"
#include "app/cli/UsageError.h"
#include "catalogue/CloseNames.h"
#include "flashing/Programmers.h"

#include <QCommandLineParser>

namespace modflash::cli {

namespace {

const QString helpOption = "help";
const QString versionOption = "version";
constexpr qsizetype helpWidth = 79;

QString joined(const std::vector<std::string>& names) {
    QStringList shown;
    for (const std::string& name : names)
        shown.append(CliText::quoted(QString::fromStdString(name)));
    return shown.join(", ");
}

// The known names close to a mistyped one, in their order.
QStringList closeTo(const QString& typed, const QStringList& known) {
    std::vector<std::string> names;
    for (const QString& name : known)
        names.push_back(name.toStdString());
    QStringList close;
    for (const std::string& name : closeNames(typed.toStdString(), names))
        close.append(QString::fromStdString(name));
    return close;
}

// A typing mistake's answer: unknown names the word; then the close words as they are typed,
// or, when none is close, listHint, which says where the words are listed.
UsageError mistyped(const QString& unknown, const QStringList& close, const QString& listHint) {
    if (close.isEmpty())
        return UsageError((unknown + "; " + listHint).toStdString());
    QStringList shown;
    for (const QString& name : close)
        shown.append(CliText::quoted(name));
    return UsageError(CliText::tr("%1; did you mean %2?")
                          .arg(unknown, shown.join(CliText::tr(" or ")))
                          .toStdString());
}

QStringList subcommandNames() {
    QStringList names;
    for (const Subcommand& subcommand : subcommands())
        names.append(subcommand.name);
    return names;
}

UsageError unknownSubcommand(const QString& typed) {
    return mistyped(CliText::tr("unknown subcommand %1").arg(CliText::quoted(typed)),
                    closeTo(typed, subcommandNames()),
                    CliText::tr("run \"modflash-cli --help\" to list them"));
}

// The entries as --help lists them, short names after their entry: usbtiny, avrisp2, usbasp;
// "ST-Link v2" (v2), "ST-Link v2-1" (v2-1).
QString choicesText(const ProgrammerList& list) {
    QStringList entries;
    for (const Programmer& choice : list.choices()) {
        const QString name = QString::fromStdString(choice.name);
        QString entry = name.contains(' ') ? '"' + name + '"' : name;
        for (const std::string& shortName : choice.shortNames)
            entry += " (" + QString::fromStdString(shortName) + ")";
        entries.append(entry);
    }
    return entries.join(", ");
}

// An override of a choice list must name one of its entries: the window offers no others, and
// an unknown ST-Link name would quietly fall back to the first probe. Letter case and the short
// names ("v2-1") are forgiven; the entry's own name is what the run uses.
// unknownText: the message, with %1 for the typed name and %2 for the entries.
std::string checkedChoice(const QString& typed, const ProgrammerList& list,
                          const QString& unknownText) {
    if (const Programmer* choice = list.findTyped(typed.toStdString()))
        return choice->name;
    throw UsageError(unknownText.arg(CliText::quoted(typed), joined(list.names())).toStdString());
}

std::optional<bool> switchPair(const QCommandLineParser& parser, const QString& on,
                               const QString& off) {
    const bool isOn = parser.isSet(on);
    const bool isOff = parser.isSet(off);
    if (isOn && isOff)
        throw UsageError(CliText::tr("--%1 and --%2 contradict each other; give only one")
                             .arg(on, off)
                             .toStdString());
    if (isOn || isOff)
        return isOn;
    return std::nullopt;
}

// QCommandLineParser leaves a description's lines as they are; long ones are wrapped here.
QString wrapped(const QString& text) {
    QStringList lines;
    for (const QString& paragraph : text.split('\n')) {
        qsizetype indentWidth = 0;
        while (indentWidth < paragraph.size() && paragraph.at(indentWidth) == ' ')
            ++indentWidth;
        const QString indent(indentWidth, ' '); // continued lines keep the paragraph's indent
        QString line = indent;
        for (const QString& word : paragraph.split(' ', Qt::SkipEmptyParts)) {
            if (line.size() > indent.size() && line.size() + 1 + word.size() > helpWidth) {
                lines.append(line);
                line = indent;
            }
            line += (line.size() > indent.size() ? " " : "") + word;
        }
        lines.append(line);
    }
    return lines.join('\n');
}

// The usage line names the program as it was started; the help names it as it is typed.
QString withProgramName(QString help) {
    // Qt words the usage line in the user's language.
    const QString usage = QCoreApplication::translate("QCommandLineParser", "Usage: %1");
    const QString before = usage.left(usage.indexOf("%1"));
    const qsizetype options =
        help.indexOf(' ' + QCoreApplication::translate("QCommandLineParser", "[options]"));
    if (help.startsWith(before) && options > 0)
        help.replace(0, options, QString(usage).replace("%1", "modflash-cli"));
    return help;
}

QString versionText() {
    return "modflash-cli " MODFLASH_VERSION "\n";
}

} // namespace

QList<QCommandLineOption> CommandLine::globalOptions() {
    return {
        {"resources",
         CliText::tr("Read firmware images and tools from DIR instead of the resource directory "
                     "that belongs to this program."),
         "DIR"},
        {"programmer",
         CliText::tr("Use the AVR programmer NAME for this run (%1).")
             .arg(choicesText(avrProgrammerList())),
         "NAME"},
        {"stlink",
         CliText::tr("Use the ST-Link probe NAME for this run (%1).")
             .arg(choicesText(stlinkProbeList())),
         "NAME"},
        {"factory", CliText::tr("Enable factory firmware for this run.")},
        {"no-factory", CliText::tr("Disable factory firmware for this run.")},
        {"mass-erase",
         CliText::tr("Mass-erase USB DFU products before programming, for this run.")},
        {"no-mass-erase", CliText::tr("Do not mass-erase before programming, for this run.")},
        {"module-check",
         CliText::tr("Read the module before writing it (the AVR chip's signature, the DFU boot "
                     "loader's flash size), for this run, whatever the preferences say.")},
        {"no-module-check",
         CliText::tr("Do not read the module before writing it (the AVR chip's signature, the DFU "
                     "boot loader's flash size), for this run: for unusual hardware. The image "
                     "is checked all the same.")},
        {"feed-url",
         CliText::tr("Read the firmware feed whose manifest is at URL, for this run (https, or "
                     "http on this computer)."),
         "URL"},
        {"feed-key",
         CliText::tr("Trust the minisign public key in FILE for the feed's signature too, for "
                     "this run."),
         "FILE"},
        {"feed-name", CliText::tr("Read the feed NAME instead of \"stable\", for this run."),
         "NAME"},
        {"offline",
         CliText::tr("Use no network, for this run: only images on this computer are written, "
                     "the feed's as its last check left them.")},
    };
}

QList<QCommandLineOption> CommandLine::commonOptions() {
    QList<QCommandLineOption> options = globalOptions();
    // Qt's own help option would also offer --help-all, which lists Qt's internal options.
    options.append({{"h", helpOption}, CliText::tr("Show this help.")});
    options.append({{"v", versionOption}, CliText::tr("Show the version.")});
    return options;
}

QString CommandLine::generalHelp() {
    QString list;
    for (const Subcommand& subcommand : subcommands())
        list += "  " + subcommand.name + " " + subcommand.synopsis + "\n      " +
                subcommand.summary + "\n";
    QCommandLineParser parser;
    parser.addOptions(commonOptions());
    parser.addPositionalArgument("subcommand", CliText::tr("One of the subcommands above."),
                                 "SUBCOMMAND [ARGUMENTS]");
    parser.setApplicationDescription(wrapped(
        CliText::tr("Shows what modflash offers and the command an update would run, and runs "
                    "updates.") +
        "\n\n" + CliText::tr("Subcommands:") + "\n" + list + "\n" +
        CliText::tr("PRODUCT is a title exactly as written or its page name, the image prefix "
                    "without \"_\" and \".\" (uTessary, Bruve). Factory-only products and "
                    "--file need factory firmware enabled, in the preferences the window stores "
                    "or with --factory. The preferences are only read: the options below apply "
                    "to this run and are never stored.") +
        "\n\n" +
        CliText::tr("Exit status: 0 done; 1 the command cannot be built because a resource it "
                    "needs is missing (the reason is on standard error); 64 a usage mistake (an "
                    "unknown product, version, option or subcommand, a missing argument, an "
                    "ambiguous version, or factory firmware needed but off); 65 the checks "
                    "before writing refuse the image, or the feed or a download from it is "
                    "refused (the reason is on standard error); 69 the feed or its image cannot "
                    "be reached. update and feed have their own: see \"modflash-cli update "
                    "--help\" and \"modflash-cli feed --help\".") +
        "\n\n" +
        CliText::tr("Run \"modflash-cli SUBCOMMAND --help\" for a subcommand's own options.")));
    return withProgramName(parser.helpText());
}

QString CommandLine::subcommandHelp(const Subcommand& subcommand) {
    QCommandLineParser parser;
    parser.addOptions(commonOptions());
    parser.addOptions(subcommand.options);
    parser.addPositionalArgument(subcommand.name, subcommand.summary,
                                 subcommand.name + " " + subcommand.synopsis);
    parser.setApplicationDescription(wrapped(subcommand.description));
    return withProgramName(parser.helpText());
}

void CommandLine::throwParseError(const QCommandLineParser& parser, const QString& helpCommand,
                                  const QList<QCommandLineOption>& options) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString& name = unknown.front();
        // Names are compared without their dashes, so that -f finds --file. Only long names
        // are offered: any one letter is a typing mistake away from -h and -v.
        QStringList known;
        for (const QCommandLineOption& option : options)
            for (const QString& optionName : option.names())
                if (optionName.size() > 1)
                    known.append(optionName);
        QStringList close = closeTo(name, known);
        for (QString& closeName : close)
            closeName.prepend("--");
        const QString typed = (name.size() == 1 ? "-" : "--") + name;
        throw mistyped(CliText::tr("unknown option %1").arg(CliText::quoted(typed)), close,
                       CliText::tr("run \"%1\" for the options").arg(helpCommand));
    }
    QString reason = parser.errorText();
    if (reason.endsWith('.'))
        reason.chop(1);
    if (!reason.isEmpty())
        reason[0] = reason[0].toLower();
    throw UsageError(
        CliText::tr("%1; run \"%2\" for the options").arg(reason, helpCommand).toStdString());
}

RunOverrides CommandLine::readOverrides(const QCommandLineParser& parser) {
    RunOverrides overrides;
    if (parser.isSet("programmer"))
        overrides.avrProgrammer =
            checkedChoice(parser.value("programmer"), avrProgrammerList(),
                          CliText::tr("unknown programmer %1; choose one of %2"));
    if (parser.isSet("stlink"))
        overrides.stlinkProgrammer =
            checkedChoice(parser.value("stlink"), stlinkProbeList(),
                          CliText::tr("unknown ST-Link probe %1; choose one of %2"));
    overrides.factoryFirmware = switchPair(parser, "factory", "no-factory");
    overrides.massErase = switchPair(parser, "mass-erase", "no-mass-erase");
    overrides.moduleCheck = switchPair(parser, "module-check", "no-module-check");
    return overrides;
}

FeedOptions CommandLine::readFeedOptions(const QCommandLineParser& parser) {
    FeedOptions feed;
    feed.url = parser.value("feed-url");
    feed.keyFiles = parser.values("feed-key");
    feed.name = parser.value("feed-name");
    feed.offline = parser.isSet("offline");
    for (const QString& option : {QStringLiteral("feed-url"), QStringLiteral("feed-name")})
        if (parser.isSet(option) && parser.value(option).isEmpty())
            throw UsageError(CliText::tr("--%1 needs a value").arg(option).toStdString());
    return feed;
}

// A first pass that knows every subcommand's options finds the subcommand's name even behind
// options that take a value; the second pass, in parseFor(), accepts only that subcommand's.
const Subcommand* CommandLine::chooseSubcommand(const QStringList& arguments, Request& request) {
    QList<QCommandLineOption> options = commonOptions();
    QStringList known;
    for (const QCommandLineOption& option : options)
        known.append(option.names());
    for (const Subcommand& subcommand : subcommands()) {
        for (const QCommandLineOption& option : subcommand.options) {
            // Subcommands may share an option ("--json"); it is declared once.
            if (known.contains(option.names().constLast()))
                continue;
            known.append(option.names());
            options.append(option);
        }
    }
    QCommandLineParser parser;
    parser.addOptions(options);
    const bool parsed = parser.parse(arguments);
    const QStringList positional = parser.positionalArguments();
    const Subcommand* subcommand =
        positional.isEmpty() ? nullptr : findSubcommand(positional.front());

    request.action = Request::Action::ShowText;
    if (!subcommand && parser.isSet(helpOption)) {
        request.text = generalHelp();
        return nullptr;
    }
    if (parser.isSet(versionOption)) {
        request.text = versionText();
        return nullptr;
    }
    if (!parsed && !subcommand)
        throwParseError(parser, "modflash-cli --help", options);
    if (positional.isEmpty())
        throw UsageError(
            CliText::tr("no subcommand given; run \"modflash-cli --help\" to list them")
                .toStdString());
    if (!subcommand)
        throw unknownSubcommand(positional.front());
    request.action = Request::Action::Run;
    return subcommand;
}

// "help" and "help SUBCOMMAND" answer as "--help" and "SUBCOMMAND --help" do.
Request CommandLine::helpFor(const QStringList& arguments) {
    if (arguments.size() > 1)
        throw UsageError(CliText::tr("help takes one SUBCOMMAND, but %1 was given too; run "
                                     "\"modflash-cli help\" to list them")
                             .arg(CliText::quoted(arguments.at(1)))
                             .toStdString());
    Request request;
    request.action = Request::Action::ShowText;
    if (arguments.isEmpty()) {
        request.text = generalHelp();
        return request;
    }
    const Subcommand* subcommand = findSubcommand(arguments.front());
    if (!subcommand)
        throw unknownSubcommand(arguments.front());
    request.text = subcommandHelp(*subcommand);
    return request;
}

Request CommandLine::parseFor(const Subcommand& subcommand, const QStringList& arguments) {
    QList<QCommandLineOption> options = commonOptions();
    const QList<QCommandLineOption>& own = subcommand.options;
    options.append(own);
    QCommandLineParser parser;
    parser.addOptions(options);

    Request request;
    request.subcommand = &subcommand;
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(helpOption)) {
        request.action = Request::Action::ShowText;
        request.text = subcommandHelp(subcommand);
        return request;
    }
    if (!parsed)
        throwParseError(parser, "modflash-cli " + subcommand.name + " --help", options);

    request.arguments = parser.positionalArguments();
    request.arguments.removeFirst(); // the subcommand's own name
    if (!subcommand.run)
        return helpFor(request.arguments);
    for (const QCommandLineOption& option : own) {
        const QString& name = option.names().constLast();
        if (parser.isSet(name))
            request.options.insert(name, parser.value(name));
    }
    request.resourceDirectory = parser.value("resources");
    if (parser.isSet("resources") && request.resourceDirectory.isEmpty())
        throw UsageError(CliText::tr("--resources needs a directory; give its path").toStdString());
    request.overrides = readOverrides(parser);
    request.feed = readFeedOptions(parser);
    return request;
}

Request CommandLine::parse(const QStringList& arguments) {
    Request request;
    const Subcommand* subcommand = chooseSubcommand(arguments, request);
    if (!subcommand)
        return request;
    return parseFor(*subcommand, arguments);
}

} // namespace modflash::cli
