#include "master/StoreMasters.h"

#include "entries/StoreCheck.h"
#include "master/MasterPasswords.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/DurableFile.h"

#include <QFileInfo>

int LiveEntryCount(const QString &loginFile)
{
    try {
        return CheckStoreFile(loginFile, {}).liveEntries;
    } catch (const ClassicError &) {
        return 0;
    }
}

std::optional<StoredMasters> MastersOpeningStore(const QString &loginFile, const QString &typed1,
                                                 const QString &typed2)
{
    const auto plain1 = Ansi::fromText(typed1);
    const auto plain2 = Ansi::fromText(typed2);
    if (!plain1 || !plain2)
        return std::nullopt;
    StoredMasters masters{MasterValue(*plain1), MasterValue(*plain2)};
    try {
        const StoreCheck check = CheckStoreFile(loginFile, masters.value1 + masters.value2);
        if (check.liveEntries == 0 || check.undecodable > 0)
            return std::nullopt;
    } catch (const ClassicError &) {
        return std::nullopt;
    }
    return masters;
}

QString SetStoreAside(const QString &loginFile, const QDate &today)
{
    const QString base =
        loginFile + QStringLiteral(".unreadable-") + today.toString(QStringLiteral("yyyyMMdd"));
    QString target = base;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = base + QLatin1Char('-') + QString::number(n);
    DurableFile::rename(loginFile, target);
    return target;
}
