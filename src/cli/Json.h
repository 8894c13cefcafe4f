#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

// The pieces of the JSON the listing commands print, in UTF-8; objects keep their keys in the
// order they are written.
namespace Json {
void appendString(QByteArray &out, QByteArrayView utf8);
QByteArray string(const QString &text);
// An ISO 8601 date-time without a zone ("2024-03-01T10:00:00"), or null for an invalid date.
QByteArray dateTime(const QDate &date, const QTime &time);
inline QByteArray boolean(bool value)
{
    return value ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}
} // namespace Json
