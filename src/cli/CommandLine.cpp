#include "cli/CommandLine.h"

#include "cli/CommandTable.h"

namespace {
const QString kMastersStdin = QStringLiteral("--masters-stdin");

// The accepted options of a command: name to whether it takes a value.
QHash<QString, bool> acceptedOptions(const CommandSpec &command)
{
    QHash<QString, bool> accepted;
    const QStringList names = command.options.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &name : names) {
        if (name.endsWith(QLatin1Char('=')))
            accepted.insert(name.chopped(1), true);
        else
            accepted.insert(name, false);
    }
    return accepted;
}

bool looksLikeOption(const QString &arg)
{
    return arg.startsWith(QLatin1Char('-')) && arg.size() > 1;
}

ParsedCommandLine help(const QString &text)
{
    ParsedCommandLine parsed;
    parsed.kind = ParsedCommandLine::Kind::Help;
    parsed.helpText = text;
    return parsed;
}

const CommandSpec &commandNamed(const QString &name)
{
    const CommandSpec *command = FindCommand(name);
    if (!command)
        throw UsageError{QStringLiteral("unknown command '%1'").arg(name), {}};
    return *command;
}

// The command's own options and arguments, after its name.
ParsedCommandLine parseCommand(const CommandSpec &command, const QStringList &args, qsizetype first,
                               bool mastersStdin)
{
    const QString name = QString::fromLatin1(command.name);
    const QHash<QString, bool> accepted = acceptedOptions(command);
    ParsedCommandLine parsed;
    Invocation &inv = parsed.invocation;
    inv.command = &command;
    inv.mastersStdin = mastersStdin;
    bool optionsEnded = false;
    for (qsizetype i = first; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (optionsEnded || !looksLikeOption(arg)) {
            inv.arguments << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            return help(CommandHelp(command));
        if (arg == kMastersStdin) {
            inv.mastersStdin = true;
            continue;
        }
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString option = arg.mid(2, equals < 0 ? -1 : equals - 2);
        const auto it =
            arg.startsWith(QLatin1String("--")) ? accepted.constFind(option) : accepted.constEnd();
        if (it == accepted.constEnd())
            throw UsageError{QStringLiteral("%1 has no option '%2'").arg(name, arg), name};
        if (!*it) {
            if (equals >= 0)
                throw UsageError{QStringLiteral("--%1 takes no value").arg(option), name};
            inv.options.insert(option, QString());
            continue;
        }
        if (equals >= 0) {
            inv.options.insert(option, arg.mid(equals + 1));
            continue;
        }
        if (i + 1 >= args.size())
            throw UsageError{QStringLiteral("--%1 needs a value").arg(option), name};
        inv.options.insert(option, args[++i]);
    }
    const qsizetype count = inv.arguments.size();
    if (count < command.minArguments)
        throw UsageError{QStringLiteral("%1: missing argument").arg(name), name};
    if (command.maxArguments >= 0 && count > command.maxArguments)
        throw UsageError{QStringLiteral("%1: too many arguments").arg(name), name};
    return parsed;
}
} // namespace

ParsedCommandLine ParseCommandLine(const QStringList &args)
{
    bool mastersStdin = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == kMastersStdin) {
            mastersStdin = true;
            continue;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            return help(GeneralHelp());
        if (arg == QLatin1String("--version")) {
            ParsedCommandLine parsed;
            parsed.kind = ParsedCommandLine::Kind::Version;
            return parsed;
        }
        if (looksLikeOption(arg))
            throw UsageError{QStringLiteral("unknown option '%1'").arg(arg), {}};
        if (arg == QLatin1String("help")) {
            if (i + 1 >= args.size())
                return help(GeneralHelp());
            if (i + 2 < args.size())
                throw UsageError{QStringLiteral("help: too many arguments"), {}};
            return help(CommandHelp(commandNamed(args[i + 1])));
        }
        return parseCommand(commandNamed(arg), args, i + 1, mastersStdin);
    }
    throw UsageError{QStringLiteral("no command given"), {}};
}

QString VersionText()
{
    return QStringLiteral("pellora-cli ") + QLatin1String(PELLORA_VERSION) + QLatin1Char('\n');
}

QString GeneralHelp()
{
    QString text = QStringLiteral(
        "Usage: pellora-cli [--masters-stdin] COMMAND [OPTIONS] [ARGS]\n"
        "       pellora-cli --help | --version | help COMMAND\n"
        "\n"
        "The Pellora vault from the command line. Every command but generate first asks for\n"
        "both master passwords, on the terminal without echo or, with --masters-stdin, as the\n"
        "first two lines of standard input; further secrets follow one line each.\n"
        "\n"
        "Commands:\n");
    for (const CommandSpec &command : Commands())
        text += QStringLiteral("  %1%2\n")
                    .arg(QLatin1String(command.name), -15)
                    .arg(QLatin1String(command.summary));
    text += QStringLiteral("\nExit status: 0 done, 1 refused or failed, 2 usage error.\n"
                           "See pellora-cli(1) for the details.\n");
    return text;
}

QString CommandHelp(const CommandSpec &command)
{
    QString text = QStringLiteral("Usage: pellora-cli [--masters-stdin] %1 %2\n\n%3\n")
                       .arg(QLatin1String(command.name), QLatin1String(command.synopsis),
                            QLatin1String(command.summary));
    if (!command.details.isEmpty())
        text += QLatin1Char('\n') + command.details;
    return text;
}
