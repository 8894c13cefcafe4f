#include "platform/Convert.h"
#include "FixedTime.h"
#include "RaisedError.h"

#include <gtest/gtest.h>

using namespace Convert;

// CInt rounds halves to even.
TEST(Convert, NumbersAndDatesConvertOrRaiseTypeMismatchOrOverflow)
{
    EXPECT_EQ(QList<int>({CInt(2.5), CInt(3.5), CInt(-2.5), CInt(" 127 "), CInt(32767.4)}),
              QList<int>({2, 4, -2, 127, 32767}));
    EXPECT_EQ(RaisedError([] { CInt(32767.5); }), ErrorNumber::Overflow);
    EXPECT_EQ(RaisedError([] { CInt(QStringLiteral("40000")); }), ErrorNumber::Overflow);
    EXPECT_EQ(RaisedError([] { CInt(QStringLiteral("ten")); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(RaisedError([] { CLng(QStringLiteral("1e300")); }), ErrorNumber::Overflow);
    EXPECT_EQ(QList<bool>({CBool("True"), CBool("true"), CBool("False"), CBool("-1"), CBool("0")}),
              QList<bool>({true, true, false, true, false}));
    EXPECT_EQ(RaisedError([] { CBool(QStringLiteral("yes")); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(RaisedError([] { CBool(QString()); }), ErrorNumber::TypeMismatch);
    const QDateTime before(QDate(1899, 12, 29), QTime(6, 0));
    EXPECT_EQ(ToOleDate(QDateTime(QDate(2024, 3, 1), QTime(12, 0))), 45352.5);
    EXPECT_TRUE(ToOleDate(before) == -1.25 && FromOleDate(-1.25) == before);
    EXPECT_FALSE(FromOleDate(std::numeric_limits<double>::infinity()).isValid());
    FixedTime time;
    const QDateTime when(QDate(2024, 3, 31), QTime(22, 5, 7));
    EXPECT_EQ(GeneralDate(when), QStringLiteral("3/31/2024 10:05:07 PM"));
    EXPECT_EQ(CDate(GeneralDate(when)), std::optional<QDateTime>(when));
    EXPECT_FALSE(IsDate(QStringLiteral("not a date")) || IsDate(QString()) || CDate("2/30/2024"));
    // Two-digit years follow the window.
    const std::pair<const char *, QDateTime> rows[] = {
        {"3/31/2024", QDateTime(QDate(2024, 3, 31), QTime(0, 0))},
        {"3/1/24", QDateTime(QDate(2024, 3, 1), QTime(0, 0))},
        {"3/1/29 9:30 PM", QDateTime(QDate(2029, 3, 1), QTime(21, 30))},
        {"3/1/30", QDateTime(QDate(1930, 3, 1), QTime(0, 0))},
        {"12/31/99 23:59:59", QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59))},
        {"3/1/0024", QDateTime(QDate(24, 3, 1), QTime(0, 0))},
        {"Mar 1, 2024 10:00 AM", QDateTime(QDate(2024, 3, 1), QTime(10, 0))},
        {"Friday, March 1, 2024", QDateTime(QDate(2024, 3, 1), QTime(0, 0))},
        {"3/1/2024 9:30:15 PM", QDateTime(QDate(2024, 3, 1), QTime(21, 30, 15))}};
    for (const auto &[text, expected] : rows)
        EXPECT_EQ(CDate(QString::fromLatin1(text)), std::optional<QDateTime>(expected)) << text;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(GeneralDate(when), QStringLiteral("31.03.2024 22:05:07"));
    EXPECT_EQ(CDate(GeneralDate(when)), std::optional<QDateTime>(when));
}
