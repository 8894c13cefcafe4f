#include "entries/StoreCheck.h"

#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
#include "entries/RecordFile.h"

#include <QFile>

QString StoreCheck::problem() const
{
    if (!structureSound())
        return structureProblem;
    if (undecodable == 0)
        return {};
    return QStringLiteral("%1 of its %2 entries cannot be read with these master passwords")
        .arg(undecodable)
        .arg(liveEntries);
}

StoreCheck CheckStore(const QByteArray &records, const QByteArray &entryKey)
{
    StoreCheck check;
    const qsizetype count = records.size() / LoginRecord::Size;
    qint16 previousId = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const char *r = records.constData() + i * LoginRecord::Size;
        const qint16 id = ReadInt16(r + RecordOffset::LoginID);
        const qint16 deleted = ReadInt16(r + RecordOffset::Deleted);
        if (check.structureSound() && (id < 1 || id <= previousId)) {
            check.structureProblem =
                QStringLiteral("record %1 has the LoginID %2, which does not follow %3")
                    .arg(i + 1)
                    .arg(id)
                    .arg(previousId);
        } else if (check.structureSound() && deleted != 0 && deleted != -1) {
            check.structureProblem = QStringLiteral("record %1 has %2 where a deleted mark belongs")
                                         .arg(i + 1)
                                         .arg(deleted);
        }
        previousId = id;
        if (deleted != 0)
            continue;
        ++check.liveEntries;
        if (!entryKey.isEmpty() &&
            !DecodePasswordField(
                QByteArray::fromRawData(r + RecordOffset::Password, LoginRecord::TextWidth),
                entryKey))
            ++check.undecodable;
    }
    return check;
}

StoreCheck CheckStoreFile(const QString &loginFile, const QByteArray &entryKey)
{
    if (!QFile::exists(loginFile))
        return {};
    RecordFile file(loginFile, RecordFile::Mode::Read);
    file.requireAddressable();
    return CheckStore(file.readAll(), entryKey);
}

QString UnsoundStoreMessage(const QString &loginFile, const StoreCheck &check)
{
    return QStringLiteral("The store %1 does not look like one Pellora wrote with your master "
                          "passwords: %2. Pellora leaves it exactly as it is; the entries it can "
                          "read stay available, but nothing is compacted or added to it.")
        .arg(loginFile, check.problem());
}
