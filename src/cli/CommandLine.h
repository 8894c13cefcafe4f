#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

struct CommandContext;
struct Invocation;

// What a command needs of the vault before it runs.
enum class Access {
    Free,  // no masters, no vault
    Read,  // masters; the vault lock only for a moment, for recovery
    Write, // masters and the vault lock for the whole command
};

// A command whose options were checked; run once the session is open. Returns the exit code.
using CommandBody = std::function<int(CommandContext &)>;

struct CommandSpec
{
    const char *name;
    const char *synopsis; // what follows the name in the usage line
    const char *summary;
    QString details; // one line per option, may be empty
    // The options it accepts, blank-separated, without dashes; a trailing '=' marks one that
    // takes a value.
    QString options;
    int minArguments;
    int maxArguments; // -1: no limit
    Access access;
    bool usesClipboard; // needs a desktop session
    // Checks the options and arguments (raising UsageError) before anything is asked or read.
    CommandBody (*prepare)(const Invocation &);
};

struct Invocation
{
    const CommandSpec *command = nullptr;
    QStringList arguments;
    QHash<QString, QString> options;
    bool mastersStdin = false;

    bool has(const char *option) const { return options.contains(QLatin1String(option)); }
    QString value(const char *option) const { return options.value(QLatin1String(option)); }
};

struct UsageError
{
    QString message;
    // The command whose help the message points to; empty for the program's.
    QString command;
};

struct ParsedCommandLine
{
    enum class Kind { Run, Help, Version };
    Kind kind = Kind::Run;
    Invocation invocation;
    QString helpText;
};

// args without the program name. Raises UsageError.
ParsedCommandLine ParseCommandLine(const QStringList &args);

QString GeneralHelp();
QString CommandHelp(const CommandSpec &command);
QString VersionText();
