#include "log/LogRecord.h"

QString LogRecord::fit(const QString &text)
{
    return text.left(TextWidth).leftJustified(TextWidth, QLatin1Char(' '));
}

LogRecord LogRecord::make(const QString &text, const QDateTime &when)
{
    return LogRecord{fit(text), when};
}
