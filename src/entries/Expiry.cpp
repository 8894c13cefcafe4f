#include "entries/Expiry.h"

#include "platform/Convert.h"

namespace {
// Date and time apart: no time-zone work, which a list of thousands of entries would feel.
std::pair<QDate, QTime> expiryMoment(const LoginRecord &record)
{
    const auto [date, time] = Convert::OleDateParts(record.ExpireStart);
    return {date.addDays(record.ExpireDays), time};
}
} // namespace

QString ExpiryText(const LoginRecord &record)
{
    if (record.ExpireDays == 0)
        return QStringLiteral("Never");
    const auto [date, time] = expiryMoment(record);
    if (!date.isValid())
        return QString();
    return Convert::GeneralDate(date, time);
}

QString ExpirySortKey(const LoginRecord &record)
{
    if (record.ExpireDays == 0)
        return QStringLiteral("25000101");
    return expiryMoment(record).first.toString(QStringLiteral("yyyyMMdd"));
}
