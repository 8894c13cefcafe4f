#include "entries/Expiry.h"
#include "FixedTime.h"
#include "platform/Convert.h"

#include <gtest/gtest.h>

// Zero days never expire and sort last; a garbage start does not crash.
TEST(Expiry, IsTheStartPlusTheDays)
{
    FixedTime time;
    const auto at = [](int month, int day, int hour) {
        return Convert::ToOleDate(QDateTime(QDate(2024, month, day), QTime(hour, 0)));
    };
    const std::tuple<qint16, double, QString, QString> rows[] = {
        {30, at(3, 1, 10), "3/31/2024 10:00:00 AM", "20240331"},
        {1, at(2, 28, 0), "2/29/2024", "20240229"},
        {0, at(3, 1, 10), "Never", "25000101"},
        {5, std::numeric_limits<double>::quiet_NaN(), "", ""}};
    for (const auto &[days, start, text, sortKey] : rows) {
        LoginRecord r;
        r.ExpireDays = days, r.ExpireStart = start;
        EXPECT_EQ(ExpiryText(r), text);
        EXPECT_EQ(ExpirySortKey(r), sortKey);
    }
}
