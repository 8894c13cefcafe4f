#include "entries/Expiry.h"
#include "platform/Convert.h"

#include <QLocale>
#include <gtest/gtest.h>

class ExpiryTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(ExpiryTest, ThirtyDaysFromTheFirstOfMarchKeepTheTimeOfDay)
{
    LoginRecord r;
    r.ExpireDays = 30;
    r.ExpireStart = Convert::ToOleDate(QDateTime(QDate(2024, 3, 1), QTime(10, 0)));
    EXPECT_EQ(ExpiryText(r), QStringLiteral("3/31/2024 10:00:00 AM"));
    EXPECT_EQ(ExpirySortKey(r), QStringLiteral("20240331"));
}

TEST_F(ExpiryTest, MidnightShowsTheDateAlone)
{
    LoginRecord r;
    r.ExpireDays = 1;
    r.ExpireStart = Convert::ToOleDate(QDateTime(QDate(2024, 2, 28), QTime(0, 0)));
    EXPECT_EQ(ExpiryText(r), QStringLiteral("2/29/2024"));
}

TEST_F(ExpiryTest, ZeroDaysNeverExpiresAndSortsLast)
{
    LoginRecord r;
    r.ExpireDays = 0;
    EXPECT_EQ(ExpiryText(r), QStringLiteral("Never"));
    EXPECT_EQ(ExpirySortKey(r), QStringLiteral("25000101"));
}

TEST_F(ExpiryTest, GarbageStartDateDoesNotCrash)
{
    LoginRecord r;
    r.ExpireDays = 5;
    r.ExpireStart = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(ExpiryText(r).isEmpty());
    EXPECT_TRUE(ExpirySortKey(r).isEmpty());
}
