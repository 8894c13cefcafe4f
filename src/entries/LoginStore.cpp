#include "entries/LoginStore.h"

#include "entries/RecordFile.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QSaveFile>

namespace {
void report(Ui &ui, const char *operation, const VbError &e)
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

LoginStore::LoginStore(const QString &loginFile, Ui &ui)
    : m_path(loginFile)
    , m_ui(ui)
{}

qint16 LoginStore::append(LoginRecord &record)
{
    RecordFile file(m_path, RecordFile::Mode::ReadWriteCreate);
    const qint64 n = file.count();
    if (n + 1 > RecordFile::MaxRecords)
        raiseError(VbErr::Overflow);
    qint16 id = FirstLoginID;
    if (n >= 1) {
        const qint16 last = idOf(file.read(n).constData());
        if (last == 32767)
            raiseError(VbErr::Overflow);
        id = qint16(last + 1);
    }
    LoginRecord stored = record;
    stored.LoginID = id;
    const qint64 before = file.size();
    try {
        file.write(n + 1, stored.encode());
    } catch (const VbError &) {
        file.truncate(before);
        throw;
    }
    record.LoginID = id;
    return id;
}

qint16 LoginStore::Addlogin(LoginRecord &record)
{
    BusyPointer busy(m_ui);
    cleanup();
    try {
        return append(record);
    } catch (const VbError &e) {
        report(m_ui, "Addlogin", e);
        return 0;
    }
}

std::optional<qint16> LoginStore::ImportAdd(LoginRecord &record)
{
    BusyPointer busy(m_ui);
    try {
        return append(record);
    } catch (const VbError &e) {
        report(m_ui, "Addlogin", e);
        return std::nullopt;
    }
}

bool LoginStore::updatelogin(const LoginRecord &record)
{
    BusyPointer busy(m_ui);
    try {
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
            raiseError(VbErr::BadRecordNumber);
        LoginRecord updated = record;
        updated.LoginID = idOf(found.constData());
        updated.Deleted = false;
        file.write(at, updated.encode());
        return true;
    } catch (const VbError &e) {
        report(m_ui, "updatelogin", e);
        return false;
    }
}

bool LoginStore::deletelogin(qint16 loginId, std::optional<qint16> currentRowId)
{
    BusyPointer busy(m_ui);
    try {
        if (!QFile::exists(m_path))
            raiseError(VbErr::BadRecordNumber);
        RecordFile file(m_path, RecordFile::Mode::ReadWrite);
        file.requireAddressable();
        if (file.count() == 0)
            raiseError(VbErr::BadRecordNumber);
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
    } catch (const VbError &e) {
        report(m_ui, "deletelogin", e);
        return false;
    }
}

LoginRecord LoginStore::LoadItem(qint16 loginId)
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
    } catch (const VbError &e) {
        report(m_ui, "LoadItem", e);
        return LoginRecord::zero();
    }
}

void LoginStore::cleanup()
{
    try {
        if (!QFile::exists(m_path))
            return;
        RecordFile file(m_path, RecordFile::Mode::Read);
        file.requireAddressable();
        bool anyDeleted = false;
        file.scanBlocks([&](qint64, const char *block, qint64 n) {
            for (qint64 i = 0; i < n && !anyDeleted; ++i)
                anyDeleted = isDeleted(block + i * LoginRecord::Size);
            return anyDeleted;
        });
        if (!anyDeleted)
            return;
        // The compacted store replaces the old one in a single rename, never half-written.
        QSaveFile out(m_path);
        // Unbuffered, so a short write (a full disk) is seen before the rename, not after.
        if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            RaiseFileError(out);
        out.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        QByteArray kept;
        file.scanBlocks([&](qint64, const char *block, qint64 n) {
            kept.clear();
            for (qint64 i = 0; i < n; ++i) {
                const char *r = block + i * LoginRecord::Size;
                if (!isDeleted(r))
                    kept.append(r, LoginRecord::Size);
            }
            if (out.write(kept) != kept.size())
                RaiseFileError(out);
            return false;
        });
        if (!out.commit())
            RaiseFileError(out);
    } catch (const VbError &e) {
        if (e.number != VbErr::FileNotFound)
            report(m_ui, "cleanup", e);
    }
}
