#include "transfer/StoreRecords.h"

#include "entries/RecordFile.h"

#include <QFileInfo>

QByteArray ReadStoreRecords(const QString &loginFile)
{
    if (!QFileInfo(loginFile).exists())
        return {};
    RecordFile store(loginFile, RecordFile::Mode::Read);
    store.requireAddressable();
    return store.readAll();
}

QByteArray LiveRecords(const QByteArray &records)
{
    QByteArray live;
    live.reserve(records.size());
    for (qsizetype off = 0; off + LoginRecord::Size <= records.size(); off += LoginRecord::Size) {
        if (ReadInt16(records.constData() + off + RecordOffset::Deleted) == 0)
            live.append(records.constData() + off, LoginRecord::Size);
    }
    return live;
}
