#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

// The general date text (Convert::GeneralDate) for long lists, in UTF-8. Formatting through
// QLocale costs thousands of instructions a call, which tens of thousands of rows feel; this
// applies the locale's date and time patterns directly. It does so only after proving itself
// against Convert::GeneralDate on probe values covering every pattern letter it handles; a
// locale it cannot prove (other digits, letters it does not know) goes through
// Convert::GeneralDate.
class ListDateText
{
public:
    ListDateText();
    void append(QByteArray &out, const QDate &date, const QTime &time) const;

private:
    enum class Part {
        Literal,
        Day,
        Day2,
        DayShortName,
        DayLongName,
        Month,
        Month2,
        MonthShortName,
        MonthLongName,
        Year2,
        Year4,
        Hour12,
        Hour12Two,
        Hour24,
        Hour24Two,
        Minute,
        Minute2,
        Second,
        Second2,
        AmPmUpper,
        AmPmLower,
    };
    struct Token
    {
        Part part;
        QByteArray literal;
    };

    // A moment's fields, worked out once for all the patterns.
    struct Fields
    {
        int year, month, day, dayOfWeek, hour, minute, second;
    };

    static bool parse(const QString &format, QList<Token> &tokens);
    void appendFast(QByteArray &out, const QDate &date, const QTime &time) const;
    void appendToken(QByteArray &out, const Token &token, const Fields &f) const;

    QList<Token> m_date;
    QList<Token> m_time;
    QByteArray m_monthNames[2][12];
    QByteArray m_dayNames[2][7];
    QByteArray m_amPm[2][2]; // [lower case, upper case][am, pm]
    bool m_twelveHour = false;
    bool m_proven = false;
};
