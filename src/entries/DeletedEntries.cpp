#include "entries/DeletedEntries.h"

#include "entries/EntryStore.h"
#include "entries/RecordFile.h"
#include "platform/ClassicError.h"

#include <QFile>

namespace {
// Every field but the password, which a master change re-enciphers, and the Deleted flag.
bool sameEntry(const LoginRecord &a, const LoginRecord &b)
{
    return a.LoginID == b.LoginID && a.Login == b.Login && a.Description == b.Description &&
           a.ExpireDays == b.ExpireDays && a.ExpireStart == b.ExpireStart &&
           a.CaseSensitive == b.CaseSensitive && a.AllowSpace == b.AllowSpace &&
           a.RequireMix == b.RequireMix && a.RequireSpecial == b.RequireSpecial &&
           a.MinLength == b.MinLength && a.MaxLength == b.MaxLength;
}

QByteArray storeBytes(const QString &loginFile)
{
    if (!QFile::exists(loginFile))
        return {};
    try {
        RecordFile file(loginFile, RecordFile::Mode::Read);
        return file.readAll();
    } catch (const ClassicError &) {
        return {};
    }
}

// The entry's record as the store holds it now, when the newest record of its LoginID is that
// entry, deleted. An update rewrites the newest record of an id, so no other may be the one.
std::optional<LoginRecord> deletedRecordOf(const QByteArray &records, const LoginRecord &entry)
{
    for (qsizetype at = records.size() / LoginRecord::Size - 1; at >= 0; --at) {
        const char *bytes = records.constData() + at * LoginRecord::Size;
        if (ReadInt16(bytes + RecordOffset::LoginID) != entry.LoginID)
            continue;
        const LoginRecord stored = LoginRecord::decode(bytes);
        if (stored.Deleted && sameEntry(stored, entry))
            return stored;
        return std::nullopt;
    }
    return std::nullopt;
}
} // namespace

void DeletedEntries::remember(const LoginRecord &entry)
{
    m_entries.append(entry);
}

void DeletedEntries::forgetCompacted(const QString &loginFile)
{
    if (m_entries.isEmpty())
        return;
    const QByteArray records = storeBytes(loginFile);
    m_entries.removeIf(
        [&records](const LoginRecord &entry) { return !deletedRecordOf(records, entry); });
}

std::optional<qint16> DeletedEntries::restoreNewest(EntryStore &store)
{
    forgetCompacted(store.path());
    if (m_entries.isEmpty())
        return std::nullopt;
    const LoginRecord entry = m_entries.takeLast();
    const auto stored = deletedRecordOf(storeBytes(store.path()), entry);
    // update rewrites the newest record of the id, the deleted one, with Deleted false.
    if (!stored)
        return std::nullopt;
    if (!store.update(*stored)) {
        m_entries.append(entry);
        return std::nullopt;
    }
    return entry.LoginID;
}
