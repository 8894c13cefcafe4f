#include "platform/Convert.h"
#include "platform/VbError.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace Convert;

namespace {
int errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const VbError &e) {
        return e.number;
    }
    return 0;
}
} // namespace

TEST(Numbers, IsNumericAcceptsBlanksSignPointAndExponent)
{
    for (const char *yes : {"12", " 12 ", "-3", "+4", "1.5", ".5", "5.", "1e3", "-2.5E-2"})
        EXPECT_TRUE(IsNumeric(QString::fromLatin1(yes))) << yes;
    for (const char *no : {"", " ", "abc", "1a", "--1", ".", "1.2.3", "e3", "yes"})
        EXPECT_FALSE(IsNumeric(QString::fromLatin1(no))) << no;
}

TEST(Numbers, CIntRoundsHalvesToEvenAndOverflowsOutsideSixteenBits)
{
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(QStringLiteral(" 127 ")), 127);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(errorOf([] { CInt(32767.5); }), VbErr::Overflow);
    EXPECT_EQ(errorOf([] { CInt(QStringLiteral("40000")); }), VbErr::Overflow);
    EXPECT_EQ(errorOf([] { CInt(QStringLiteral("ten")); }), VbErr::TypeMismatch);
    EXPECT_EQ(errorOf([] { CLng(QStringLiteral("1e300")); }), VbErr::Overflow);
}

TEST(Numbers, CBoolTakesTrueFalseOrANumber)
{
    EXPECT_TRUE(CBool(QStringLiteral("True")));
    EXPECT_TRUE(CBool(QStringLiteral("true")));
    EXPECT_FALSE(CBool(QStringLiteral("False")));
    EXPECT_TRUE(CBool(QStringLiteral("-1")));
    EXPECT_FALSE(CBool(QStringLiteral("0")));
    EXPECT_EQ(errorOf([] { CBool(QStringLiteral("yes")); }), VbErr::TypeMismatch);
    EXPECT_EQ(errorOf([] { CBool(QString()); }), VbErr::TypeMismatch);
}

TEST(Dates, DayCountsFromTheEndOf1899)
{
    EXPECT_EQ(ToOleDate(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_EQ(ToOleDate(QDateTime(QDate(2024, 3, 1), QTime(12, 0))), 45352.5);
    EXPECT_EQ(ToOleDate(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    EXPECT_EQ(FromOleDate(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(FromOleDate(45352.75), QDateTime(QDate(2024, 3, 1), QTime(18, 0)));
    EXPECT_FALSE(FromOleDate(std::numeric_limits<double>::infinity()).isValid());
}

TEST(Dates, GeneralDateTextReadsBack)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDateTime when(QDate(2024, 3, 31), QTime(22, 5, 7));
    EXPECT_EQ(GeneralDate(when), QStringLiteral("3/31/2024 10:05:07 PM"));
    EXPECT_EQ(CDate(GeneralDate(when)), std::optional<QDateTime>(when));
    EXPECT_EQ(CDate(QStringLiteral("3/31/2024")),
              std::optional<QDateTime>(QDateTime(QDate(2024, 3, 31), QTime(0, 0))));
    EXPECT_FALSE(IsDate(QStringLiteral("not a date")));
    EXPECT_FALSE(IsDate(QString()));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(GeneralDate(when), QStringLiteral("31.03.2024 22:05:07"));
    EXPECT_EQ(CDate(GeneralDate(when)), std::optional<QDateTime>(when));
    QLocale::setDefault(QLocale::c());
}
