#include "cli/ArgumentValues.h"

#include "cli/CommandLine.h"

#include <QFileInfo>

namespace {
// A day: longer than anyone keeps a secret on the clipboard.
constexpr int kMaxSeconds = 86400;

UsageError usage(const Invocation &inv, const QString &message)
{
    return UsageError{message, QString::fromLatin1(inv.command->name)};
}
} // namespace

namespace ArgumentValues {

qint16 entryId(const Invocation &inv, const QString &text)
{
    bool ok = false;
    const short id = text.toShort(&ok);
    if (!ok)
        throw usage(inv, QStringLiteral("'%1' is no entry id (a LoginID such as 1000)").arg(text));
    return id;
}

int seconds(const Invocation &inv, const char *option, int fallback)
{
    if (!inv.has(option))
        return fallback;
    bool ok = false;
    const int value = inv.value(option).toInt(&ok);
    if (!ok || value < 0)
        throw usage(
            inv, QStringLiteral("--%1 takes a whole number of seconds").arg(QLatin1String(option)));
    return value;
}

QString filePath(const QString &text)
{
    return QFileInfo(text).absoluteFilePath();
}

} // namespace ArgumentValues
