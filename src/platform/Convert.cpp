#include "platform/Convert.h"

#include "platform/ClassicError.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {

QString normalisedNumber(const QString &text)
{
    QString t = text.trimmed();
    const QChar point = QLocale().decimalPoint().at(0);
    if (point != QLatin1Char('.'))
        t.replace(point, QLatin1Char('.'));
    return t;
}

double roundHalfEven(double v)
{
    return std::nearbyint(v); // the default rounding mode rounds halves to even
}

const QDate &oleEpoch()
{
    static const QDate epoch(1899, 12, 30);
    return epoch;
}

} // namespace

namespace Convert {

QString shortDateFormat()
{
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    // Four-digit years keep dates unambiguous and readable back.
    if (!f.contains(QLatin1String("yyyy")))
        f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

QString longTimeFormat()
{
    QString f = QLocale().timeFormat(QLocale::LongFormat);
    f.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*$")));
    f.remove(QRegularExpression(QStringLiteral("^\\s*t+\\s*")));
    return f.trimmed();
}

namespace {

struct DateForm
{
    QString format;
    bool twoDigitYear;
};

// The forms of a date the user's locale writes: short with two- and four-digit years (two
// first, as a four-digit field would also take "24" as the year 24), long, and long without
// the weekday, also with the month abbreviated ("March 1, 2024", "Mar 1, 2024").
QList<DateForm> dateForms()
{
    const QLocale loc;
    const QString four = shortDateFormat();
    QString two = four;
    two.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    QString longForm = loc.dateFormat(QLocale::LongFormat);
    QString plain = longForm;
    plain.remove(QRegularExpression(QStringLiteral("d{4}[,.]?\\s*")));
    QString abbreviated = plain;
    abbreviated.replace(QLatin1String("MMMM"), QLatin1String("MMM"));
    return {{two, true},
            {four, false},
            {longForm, false},
            {plain.trimmed(), false},
            {abbreviated.trimmed(), false}};
}

// A time after the date: none, or the locale's with or without seconds, or 24-hour.
QStringList timeForms()
{
    const QLocale loc;
    QString shortTime = loc.timeFormat(QLocale::ShortFormat);
    shortTime.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return {QString(), longTimeFormat(), shortTime.trimmed(), QStringLiteral("H:mm:ss"),
            QStringLiteral("H:mm")};
}

} // namespace

bool IsNumeric(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    return number.match(normalisedNumber(text)).hasMatch();
}

double CDbl(const QString &text)
{
    if (!IsNumeric(text))
        raiseError(ErrorNumber::TypeMismatch);
    bool ok = false;
    const double v = normalisedNumber(text).toDouble(&ok);
    if (!ok || !std::isfinite(v))
        raiseError(ErrorNumber::Overflow);
    return v;
}

qint16 CInt(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0))
        raiseError(ErrorNumber::Overflow);
    return static_cast<qint16>(r);
}

qint16 CInt(const QString &text)
{
    return CInt(CDbl(text));
}

qint32 CLng(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        raiseError(ErrorNumber::Overflow);
    return static_cast<qint32>(r);
}

qint32 CLng(const QString &text)
{
    return CLng(CDbl(text));
}

bool CBool(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return CDbl(t) != 0.0;
}

QString BoolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

double ToOleDate(const QDateTime &when)
{
    const qint64 days = oleEpoch().daysTo(when.date());
    const double frac = when.time().msecsSinceStartOfDay() / 86400000.0;
    // Before the epoch the integer part carries the sign and the fraction still adds time.
    return days >= 0 ? days + frac : days - frac;
}

std::pair<QDate, QTime> OleDateParts(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 2958465.0 * 4)
        return {QDate(), QTime()};
    const double whole = std::trunc(value);
    const double frac = std::fabs(value - whole);
    qint64 ms = std::llround(frac * 86400000.0);
    qint64 days = static_cast<qint64>(whole);
    if (ms >= 86400000) {
        ms -= 86400000;
        days += value >= 0 ? 1 : -1;
    }
    return {oleEpoch().addDays(days), QTime::fromMSecsSinceStartOfDay(int(ms))};
}

QDateTime FromOleDate(double value)
{
    const auto [date, time] = OleDateParts(value);
    if (!date.isValid())
        return {};
    return QDateTime(date, time);
}

QString GeneralDate(const QDateTime &when)
{
    return GeneralDate(when.date(), when.time());
}

QString GeneralDate(const QDate &date, const QTime &time)
{
    // The formats are the locale's and do not change within a run; looking them up is not free.
    static thread_local QLocale cachedFor;
    static thread_local QString dateFormat = shortDateFormat();
    static thread_local QString timeFormat = longTimeFormat();
    const QLocale loc;
    if (loc != cachedFor) {
        cachedFor = loc;
        dateFormat = shortDateFormat();
        timeFormat = longTimeFormat();
    }
    QString text = loc.toString(date, dateFormat);
    if (time.msecsSinceStartOfDay() >= 1000)
        text += QLatin1Char(' ') + loc.toString(time, timeFormat);
    return text;
}

std::optional<QDateTime> CDate(const QString &text)
{
    const QString t = text.simplified();
    if (t.isEmpty())
        return std::nullopt;
    const QLocale loc;
    for (const DateForm &date : dateForms()) {
        for (const QString &time : timeForms()) {
            const QString format =
                time.isEmpty() ? date.format : date.format + QLatin1Char(' ') + time;
            QDateTime dt = loc.toDateTime(t, format);
            if (!dt.isValid())
                continue;
            // Qt reads two-digit years as 19xx; the usual window puts 00-29 in this century.
            if (date.twoDigitYear && dt.date().year() < 1930)
                dt = QDateTime(dt.date().addYears(100), dt.time());
            return dt;
        }
    }
    for (const QString &f : {QStringLiteral("yyyy-MM-dd HH:mm:ss"),
                             QStringLiteral("yyyy-MM-dd HH:mm"), QStringLiteral("yyyy-MM-dd")}) {
        const QDateTime dt = QDateTime::fromString(t, f);
        if (dt.isValid())
            return dt;
    }
    return std::nullopt;
}

} // namespace Convert
