#pragma once

#include <QDateTime>
#include <QString>

// The pieces of the JSON the listing commands print; objects keep their keys in the order given.
namespace Json {
QString string(const QString &text);
// An ISO 8601 date-time without a zone ("2024-03-01T10:00:00"), or null when invalid.
QString dateTime(const QDateTime &when);
inline QString boolean(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}
} // namespace Json
