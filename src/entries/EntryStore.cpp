#include "entries/EntryStore.h"

#include "app/VaultLock.h"
#include "entries/RecordFile.h"
#include "entries/StoreCheck.h"
#include "platform/ClassicError.h"
#include "platform/DurableFile.h"
#include "platform/Ui.h"

#include <QFileInfo>

namespace {
void report(Ui &ui, const char *operation, const ClassicError &e)
{
    ui.message(QStringLiteral("An error has occurred in %1 ").arg(QLatin1String(operation)) +
               e.text());
}

bool isDeleted(const char *record)
{
    return ReadInt16(record + RecordOffset::Deleted) != 0;
}

qint16 idOf(const char *record)
{
    return ReadInt16(record + RecordOffset::LoginID);
}
} // namespace

EntryStore::EntryStore(const QString &loginFile, Ui &ui, const QByteArray &entryKey)
    : m_path(loginFile)
    , m_ui(ui)
    , m_entryKey(entryKey)
{}

QString EntryStore::folder() const
{
    return QFileInfo(m_path).absolutePath();
}

qint16 EntryStore::append(LoginRecord &record)
{
    WriteGuard guard(folder());
    const bool created = !QFileInfo::exists(m_path);
    RecordFile file(m_path, RecordFile::Mode::ReadWriteCreate);
    if (created)
        DurableFile::syncFolder(folder());
    const qint64 n = file.count();
    if (n + 1 > RecordFile::MaxRecords)
        raiseError(ErrorNumber::Overflow);
    qint16 id = FirstLoginID;
    if (n >= 1) {
        const qint16 last = idOf(file.read(n).constData());
        if (last == 32767)
            raiseError(ErrorNumber::Overflow);
        id = qint16(last + 1);
    }
    LoginRecord stored = record;
    stored.LoginID = id;
    const qint64 before = file.size();
    try {
        file.write(n + 1, stored.encode());
    } catch (const ClassicError &) {
        file.truncate(before);
        throw;
    }
    record.LoginID = id;
    return id;
}

qint16 EntryStore::add(LoginRecord &record)
{
    BusyPointer busy(m_ui);
    if (!compact())
        return 0;
    try {
        return append(record);
    } catch (const ClassicError &e) {
        report(m_ui, "Addlogin", e);
        return 0;
    }
}

std::optional<qint16> EntryStore::appendImported(LoginRecord &record)
{
    BusyPointer busy(m_ui);
    try {
        return append(record);
    } catch (const ClassicError &e) {
        report(m_ui, "Addlogin", e);
        return std::nullopt;
    }
}

bool EntryStore::update(const LoginRecord &record)
{
    BusyPointer busy(m_ui);
    try {
        WriteGuard guard(folder());
        RecordFile file(m_path, RecordFile::Mode::ReadWrite);
        file.requireAddressable();
        QByteArray found;
        const qint64 at = file.scanBackward([&](qint64, const char *r) {
            if (idOf(r) != record.LoginID)
                return false;
            found = QByteArray(r, LoginRecord::Size);
            return true;
        });
        if (at == 0)
            raiseError(ErrorNumber::BadRecordNumber);
        LoginRecord updated = record;
        updated.LoginID = idOf(found.constData());
        updated.Deleted = false;
        file.write(at, updated.encode());
        return true;
    } catch (const ClassicError &e) {
        report(m_ui, "updatelogin", e);
        return false;
    }
}

bool EntryStore::remove(qint16 loginId, std::optional<qint16> currentRowId)
{
    BusyPointer busy(m_ui);
    try {
        if (!QFile::exists(m_path))
            raiseError(ErrorNumber::BadRecordNumber);
        WriteGuard guard(folder());
        RecordFile file(m_path, RecordFile::Mode::ReadWrite);
        file.requireAddressable();
        if (file.count() == 0)
            raiseError(ErrorNumber::BadRecordNumber);
        const qint64 at = file.scanBackward([&](qint64, const char *r) {
            const qint16 id = idOf(r);
            return id == loginId || (currentRowId && id == *currentRowId);
        });
        // A scan that matched nothing writes nothing and still succeeds.
        if (at > 0) {
            QByteArray deleted(2, '\0');
            WriteInt16(deleted.data(), -1);
            file.writeAt(at, RecordOffset::Deleted, deleted);
        }
        return true;
    } catch (const ClassicError &e) {
        report(m_ui, "deletelogin", e);
        return false;
    }
}

LoginRecord EntryStore::load(qint16 loginId)
{
    BusyPointer busy(m_ui);
    try {
        if (!QFile::exists(m_path))
            return LoginRecord::zero();
        RecordFile file(m_path, RecordFile::Mode::Read);
        file.requireAddressable();
        LoginRecord result = LoginRecord::zero();
        file.scanBackward([&](qint64, const char *r) {
            if (isDeleted(r) || idOf(r) != loginId)
                return false;
            result = LoginRecord::decode(r);
            return true;
        });
        return result;
    } catch (const ClassicError &e) {
        report(m_ui, "LoadItem", e);
        return LoginRecord::zero();
    }
}

bool EntryStore::compact()
{
    try {
        if (!QFile::exists(m_path))
            return true;
        RecordFile file(m_path, RecordFile::Mode::Read);
        file.requireAddressable();
        const QByteArray records = file.readAll();
        const StoreCheck check = CheckStore(records, m_entryKey);
        if (!check.sound()) {
            m_ui.message(UnsoundStoreMessage(m_path, check));
            return false;
        }
        QByteArray kept;
        kept.reserve(records.size());
        for (qsizetype at = 0; at < records.size(); at += LoginRecord::Size) {
            if (!isDeleted(records.constData() + at))
                kept.append(records.constData() + at, LoginRecord::Size);
        }
        if (kept.size() == records.size())
            return true;
        WriteGuard guard(folder());
        // A tail short of a whole record is no record and goes with the compaction.
        DurableFile::replace(m_path, kept);
    } catch (const ClassicError &e) {
        if (e.number != ErrorNumber::FileNotFound)
            report(m_ui, "cleanup", e);
    }
    return true;
}
