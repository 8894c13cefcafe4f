#include "cli/Json.h"

#include <QDateTime>
#include <cstdio>

namespace Json {

// Multi-byte UTF-8 sequences hold no byte below 0x80, so escaping byte by byte is exact.
void appendString(QByteArray &out, QByteArrayView utf8)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (uchar(c) < 0x20) {
                out += "\\u00";
                out += hex[uchar(c) >> 4];
                out += hex[uchar(c) & 15];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

QByteArray string(const QString &text)
{
    QByteArray out;
    appendString(out, text.toUtf8());
    return out;
}

QByteArray dateTime(const QDate &date, const QTime &time)
{
    if (!date.isValid() || !time.isValid())
        return QByteArrayLiteral("null");
    if (date.year() < 0 || date.year() > 9999)
        return string(QDateTime(date, time).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    char text[24];
    std::snprintf(text, sizeof text, "\"%04d-%02d-%02dT%02d:%02d:%02d\"", date.year(), date.month(),
                  date.day(), time.hour(), time.minute(), time.second());
    return QByteArray(text);
}

} // namespace Json
