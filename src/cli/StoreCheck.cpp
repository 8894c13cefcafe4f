#include "cli/StoreCheck.h"

#include "crypto/cPQCrypt.h"
#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
#include "entries/RecordFile.h"

#include <QFile>

namespace {
StoreCheckResult fault(const QString &detail)
{
    return {false, detail};
}

bool decodes(const char *record, const QByteArray &entryKey)
{
    const QByteArray field(record + RecordOffset::Password, LoginRecord::TextWidth);
    const auto length = PasswordLengthPrefix(Crypt().DeCrypt(field, entryKey));
    return length && *length <= kMaxStoredPasswordLength;
}
} // namespace

StoreCheckResult CheckStoreIntegrity(const QString &loginFile, const QByteArray &entryKey)
{
    QFile file(loginFile);
    if (!file.exists())
        return {true, QStringLiteral("no store yet")};
    if (!file.open(QIODevice::ReadOnly))
        return fault(QStringLiteral("the store cannot be read: ") + file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fault(QStringLiteral("the store cannot be read: ") + file.errorString());
    if (const qsizetype tail = bytes.size() % LoginRecord::Size)
        return fault(QStringLiteral("%1 bytes after the last whole record").arg(tail));
    const qsizetype count = bytes.size() / LoginRecord::Size;
    if (count > RecordFile::MaxRecords)
        return fault(QStringLiteral("%1 records, more than LoginIDs can number").arg(count));
    qint16 previous = 0;
    qsizetype deleted = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const char *record = bytes.constData() + i * LoginRecord::Size;
        const qint16 id = ReadInt16(record + RecordOffset::LoginID);
        const qint16 flag = ReadInt16(record + RecordOffset::Deleted);
        const qsizetype number = i + 1;
        if (id < 1)
            return fault(
                QStringLiteral("record %1 has LoginID %2, outside 1 to 32767").arg(number).arg(id));
        if (id <= previous)
            return fault(QStringLiteral("record %1 has LoginID %2, not above the %3 before it")
                             .arg(number)
                             .arg(id)
                             .arg(previous));
        if (flag != 0 && flag != -1)
            return fault(QStringLiteral("record %1 has the Deleted value %2, neither 0 nor -1")
                             .arg(number)
                             .arg(flag));
        if (flag != 0)
            ++deleted;
        else if (!decodes(record, entryKey))
            return fault(QStringLiteral("entry %1 (record %2) does not decipher under the master "
                                        "passwords")
                             .arg(id)
                             .arg(number));
        previous = id;
    }
    return {true,
            QStringLiteral("%1 entries, %2 deleted records").arg(count - deleted).arg(deleted)};
}
