#include "transfer/ImportAppend.h"

#include "app/VaultLock.h"
#include "entries/EntryStore.h"
#include "entries/LoginRecord.h"
#include "entries/RecordFile.h"
#include "platform/DurableFile.h"
#include "transfer/StoreRecords.h"

#include <QFileInfo>

namespace {
constexpr qint16 kLastLoginID = 32767;

} // namespace

ImportAppendResult ImportAppend(const QString &loginFile, const QByteArray &records)
{
    ImportAppendResult result;
    try {
        if (records.size() < LoginRecord::Size)
            return result;
        WriteGuard guard(QFileInfo(loginFile).absolutePath());
        QByteArray store = ReadStoreRecords(loginFile);
        qint64 count = store.size() / LoginRecord::Size;
        store.reserve(store.size() + records.size());
        for (qsizetype off = 0; off + LoginRecord::Size <= records.size();
             off += LoginRecord::Size) {
            qint16 id = EntryStore::FirstLoginID;
            if (count >= 1) {
                const qint16 last = ReadInt16(store.constData() + store.size() - LoginRecord::Size +
                                              RecordOffset::LoginID);
                if (last == kLastLoginID) {
                    result.failure = ClassicError::of(ErrorNumber::Overflow);
                    break;
                }
                id = qint16(last + 1);
            }
            if (count + 1 > RecordFile::MaxRecords) {
                result.failure = ClassicError::of(ErrorNumber::Overflow);
                break;
            }
            QByteArray record = records.mid(off, LoginRecord::Size);
            WriteInt16(record.data() + RecordOffset::LoginID, id);
            store.append(record);
            ++count;
            ++result.appended;
        }
        if (result.appended > 0)
            DurableFile::replace(loginFile, store);
    } catch (const ClassicError &e) {
        result.appended = 0;
        result.failure = e;
    }
    return result;
}
