#include "cli/Output.h"

#include <cstdio>

namespace {
void write(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

namespace Output {

void out(const QString &text)
{
    write(stdout, text.toUtf8());
}

void outBytes(const QByteArray &utf8)
{
    write(stdout, utf8);
}

void err(const QString &text)
{
    write(stderr, text.toUtf8());
}

QString asLines(const QString &text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    return lines + QLatin1Char('\n');
}

} // namespace Output
