#include "ui/CommandLine.h"

std::optional<QString> CommandLineAnswer(const QStringList &arguments)
{
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--version"))
            return QStringLiteral("pellora %1\n").arg(QLatin1String(PELLORA_VERSION));
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return QStringLiteral(
                "Usage: pellora [--help | --version]\n"
                "\n"
                "Pellora keeps your logins and passwords, enciphered under two master passwords.\n"
                "Without options it opens its window; a second start brings the running window\n"
                "to the front.\n"
                "\n"
                "  -h, --help   show this help and exit\n"
                "  --version    show the version and exit\n");
    }
    return std::nullopt;
}
