#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <utility>

// The text and number conversions the program's rules are written in. Failures raise ClassicError
// (13 "Type mismatch" for text that is no number, 6 "Overflow" outside the target range).
namespace Convert {

// Blanks around, one sign, digits with at most one decimal point and an optional exponent.
bool IsNumeric(const QString &text);
double CDbl(const QString &text);
// Rounds halves to even, as the program's integer conversions always have.
qint16 CInt(double value);
qint16 CInt(const QString &text);
qint32 CLng(double value);
qint32 CLng(const QString &text);
// "True"/"False" in any letter case, or a number (non-zero is true).
bool CBool(const QString &text);
// The form booleans take in settings and text exports.
QString BoolText(bool value);

// Date-times are day counts from 30 December 1899 with the time of day as the fraction.
double ToOleDate(const QDateTime &when);
QDateTime FromOleDate(double days);
// The same moment as a date and a time of day, without time-zone work (fast for long lists).
// An invalid date for values no calendar holds.
std::pair<QDate, QTime> OleDateParts(double days);

// The locale's short date format with four-digit years, and its long time format without the
// time zone: the two halves of the general date text.
QString shortDateFormat();
QString longTimeFormat();
// Short date, then the time unless it is midnight: the program's general date text.
QString GeneralDate(const QDateTime &when);
QString GeneralDate(const QDate &date, const QTime &time);
// Reads the forms of the user's locale (short with two- or four-digit years, long, with the
// month spelled out or abbreviated), with a time or not, with seconds or not, 12- or 24-hour,
// and ISO dates. Two-digit years: 00-29 are 2000-2029, 30-99 are 1930-1999.
std::optional<QDateTime> CDate(const QString &text);
inline bool IsDate(const QString &text)
{
    return CDate(text).has_value();
}

} // namespace Convert
