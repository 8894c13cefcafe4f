#include "entries/Expiry.h"

#include "platform/Convert.h"

namespace {
QDateTime expiryMoment(const LoginRecord &record)
{
    return Convert::FromOleDate(record.ExpireStart).addDays(record.ExpireDays);
}
} // namespace

QString ExpiryText(const LoginRecord &record)
{
    if (record.ExpireDays == 0)
        return QStringLiteral("Never");
    return Convert::GeneralDate(expiryMoment(record));
}

QString ExpirySortKey(const LoginRecord &record)
{
    if (record.ExpireDays == 0)
        return QStringLiteral("25000101");
    return expiryMoment(record).toString(QStringLiteral("yyyyMMdd"));
}
