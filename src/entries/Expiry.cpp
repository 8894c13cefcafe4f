#include "entries/Expiry.h"

#include "platform/Convert.h"

std::pair<QDate, QTime> ExpiryMoment(const LoginRecord &record)
{
    const auto [date, time] = Convert::OleDateParts(record.ExpireStart);
    return {date.addDays(record.ExpireDays), time};
}

QString ExpiryText(const LoginRecord &record)
{
    if (record.ExpireDays == 0)
        return QStringLiteral("Never");
    const auto [date, time] = ExpiryMoment(record);
    if (!date.isValid())
        return QString();
    return Convert::GeneralDate(date, time);
}

QString ExpirySortKey(const LoginRecord &record)
{
    if (record.ExpireDays == 0)
        return QStringLiteral("25000101");
    return ExpiryMoment(record).first.toString(QStringLiteral("yyyyMMdd"));
}
