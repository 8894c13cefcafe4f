#include "cli/ListDateText.h"

#include "platform/Convert.h"

#include <QLocale>
#include <array>

namespace {
// The decimal digits of a number from 0 up, at least width of them.
void appendNumber(QByteArray &out, int value, int width)
{
    char digits[12];
    int at = sizeof digits;
    do {
        digits[--at] = char('0' + value % 10);
        value /= 10;
    } while (value > 0 || int(sizeof digits) - at < width);
    out.append(digits + at, qsizetype(sizeof digits) - at);
}
} // namespace

bool ListDateText::parse(const QString &format, QList<Token> &tokens)
{
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            const qsizetype end = format.indexOf(QLatin1Char('\''), i + 1);
            if (end < 0 || end == i + 1)
                return false; // quotes within quotes are left to QLocale
            tokens.append({Part::Literal, format.mid(i + 1, end - i - 1).toUtf8()});
            i = end + 1;
            continue;
        }
        if (!c.isLetter()) {
            tokens.append({Part::Literal, QString(c).toUtf8()});
            ++i;
            continue;
        }
        qsizetype n = 1;
        while (i + n < format.size() && format[i + n] == c)
            ++n;
        const char letter = c.toLatin1();
        Part part = Part::Literal;
        if (letter == 'd' && n <= 4)
            part = std::array{Part::Day, Part::Day2, Part::DayShortName, Part::DayLongName}[n - 1];
        else if (letter == 'M' && n <= 4)
            part = std::array{Part::Month, Part::Month2, Part::MonthShortName,
                              Part::MonthLongName}[n - 1];
        else if (letter == 'y' && (n == 2 || n == 4))
            part = n == 2 ? Part::Year2 : Part::Year4;
        else if (letter == 'h' && n <= 2)
            part = n == 1 ? Part::Hour12 : Part::Hour12Two;
        else if (letter == 'H' && n <= 2)
            part = n == 1 ? Part::Hour24 : Part::Hour24Two;
        else if (letter == 'm' && n <= 2)
            part = n == 1 ? Part::Minute : Part::Minute2;
        else if (letter == 's' && n <= 2)
            part = n == 1 ? Part::Second : Part::Second2;
        else if ((letter == 'A' || letter == 'a') && n == 1) {
            part = letter == 'A' ? Part::AmPmUpper : Part::AmPmLower;
            // "AP" and "ap" are one pattern.
            if (i + 1 < format.size() && format[i + 1].toLower() == QLatin1Char('p'))
                ++n;
        }
        if (part == Part::Literal)
            return false;
        tokens.append({part, {}});
        i += n;
    }
    return true;
}

ListDateText::ListDateText()
{
    const QLocale locale;
    for (int i = 0; i < 2; ++i) {
        const auto format = i == 0 ? QLocale::ShortFormat : QLocale::LongFormat;
        for (int month = 1; month <= 12; ++month)
            m_monthNames[i][month - 1] = locale.monthName(month, format).toUtf8();
        for (int day = 1; day <= 7; ++day)
            m_dayNames[i][day - 1] = locale.dayName(day, format).toUtf8();
    }
    m_amPm[0][0] = locale.amText().toLower().toUtf8();
    m_amPm[0][1] = locale.pmText().toLower().toUtf8();
    m_amPm[1][0] = locale.amText().toUpper().toUtf8();
    m_amPm[1][1] = locale.pmText().toUpper().toUtf8();
    if (locale.zeroDigit() != QLatin1String("0") || !parse(Convert::shortDateFormat(), m_date) ||
        !parse(Convert::longTimeFormat(), m_time))
        return;
    for (const Token &t : m_time)
        m_twelveHour = m_twelveHour || t.part == Part::AmPmUpper || t.part == Part::AmPmLower;
    const QDate dates[] = {QDate(2024, 3, 1),  QDate(1999, 12, 31), QDate(2005, 10, 9),
                           QDate(2100, 1, 22), QDate(2023, 5, 14),  QDate(2030, 8, 7),
                           QDate(2011, 6, 30)};
    const QTime times[] = {QTime(0, 0),       QTime(0, 0, 1),   QTime(9, 5, 7),   QTime(12, 0, 0),
                           QTime(12, 30, 45), QTime(13, 9, 59), QTime(23, 59, 59)};
    m_proven = true;
    for (const QDate &d : dates) {
        for (const QTime &t : times) {
            QByteArray fast;
            appendFast(fast, d, t);
            m_proven = m_proven && fast == Convert::GeneralDate(d, t).toUtf8();
        }
    }
}

void ListDateText::append(QByteArray &out, const QDate &date, const QTime &time) const
{
    if (!m_proven || date.year() < 1000 || date.year() > 9999)
        out += Convert::GeneralDate(date, time).toUtf8();
    else
        appendFast(out, date, time);
}

void ListDateText::appendFast(QByteArray &out, const QDate &date, const QTime &time) const
{
    Fields f{};
    date.getDate(&f.year, &f.month, &f.day);
    f.dayOfWeek = date.dayOfWeek();
    const int seconds = time.msecsSinceStartOfDay() / 1000;
    f.hour = seconds / 3600;
    f.minute = seconds / 60 % 60;
    f.second = seconds % 60;
    for (const Token &t : m_date)
        appendToken(out, t, f);
    // As GeneralDate: the time only when it is past midnight by a second or more.
    if (seconds == 0)
        return;
    out += ' ';
    for (const Token &t : m_time)
        appendToken(out, t, f);
}

void ListDateText::appendToken(QByteArray &out, const Token &token, const Fields &f) const
{
    switch (token.part) {
    case Part::Literal:
        out += token.literal;
        break;
    case Part::Day:
    case Part::Day2:
        appendNumber(out, f.day, token.part == Part::Day2 ? 2 : 1);
        break;
    case Part::DayShortName:
    case Part::DayLongName:
        out += m_dayNames[token.part == Part::DayLongName][f.dayOfWeek - 1];
        break;
    case Part::Month:
    case Part::Month2:
        appendNumber(out, f.month, token.part == Part::Month2 ? 2 : 1);
        break;
    case Part::MonthShortName:
    case Part::MonthLongName:
        out += m_monthNames[token.part == Part::MonthLongName][f.month - 1];
        break;
    case Part::Year2:
        appendNumber(out, f.year % 100, 2);
        break;
    case Part::Year4:
        appendNumber(out, f.year, 4);
        break;
    case Part::Hour12:
    case Part::Hour12Two: {
        const int hour = m_twelveHour ? (f.hour % 12 == 0 ? 12 : f.hour % 12) : f.hour;
        appendNumber(out, hour, token.part == Part::Hour12Two ? 2 : 1);
        break;
    }
    case Part::Hour24:
    case Part::Hour24Two:
        appendNumber(out, f.hour, token.part == Part::Hour24Two ? 2 : 1);
        break;
    case Part::Minute:
    case Part::Minute2:
        appendNumber(out, f.minute, token.part == Part::Minute2 ? 2 : 1);
        break;
    case Part::Second:
    case Part::Second2:
        appendNumber(out, f.second, token.part == Part::Second2 ? 2 : 1);
        break;
    case Part::AmPmUpper:
    case Part::AmPmLower:
        out += m_amPm[token.part == Part::AmPmUpper][f.hour < 12 ? 0 : 1];
        break;
    }
}
