#include "entries/StoreCheck.h"

#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
#include "entries/RecordFile.h"

#include "crypto/Cipher.h"

#include <QFile>
#include <array>
#include <memory>

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

namespace {
// Whether a field's two deciphered leading bytes read as a length. Only 65536 pairs exist, so
// each is judged once per check instead of once per entry.
class LengthPrefixes
{
public:
    bool valid(char first, char second)
    {
        const int at = (uchar(first) << 8) | uchar(second);
        if (m_known[at] == Unknown) {
            const char pair[2] = {first, second};
            m_known[at] = PasswordLengthPrefix(QByteArray(pair, 2)) ? Valid : Invalid;
        }
        return m_known[at] == Valid;
    }

private:
    enum : quint8 { Unknown, Valid, Invalid };
    std::array<quint8, 65536> m_known{};
};
} // namespace

StoreCheck CheckStore(const QByteArray &records, const QByteArray &entryKey)
{
    StoreCheck check;
    const QByteArray stream = entryKey.isEmpty() ? QByteArray() : Cipher::keystreamHead(entryKey);
    auto prefixes = std::make_unique<LengthPrefixes>();
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
