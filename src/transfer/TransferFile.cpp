#include "transfer/TransferFile.h"

#include "entries/LoginRecord.h"
#include "entries/RecordFile.h"
#include "platform/ClassicError.h"

#include <QFile>

qsizetype TransferFile::entryCount() const
{
    return entries.size() / LoginRecord::Size;
}

QByteArray ReadTransferBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        RaiseFileError(file);
    if (file.size() / LoginRecord::Size > TransferFile::MaxRecords)
        raiseError(ErrorNumber::BadRecordLength);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        RaiseFileError(file);
    return bytes;
}

TransferFile ParseTransferFile(const QByteArray &bytes)
{
    const qsizetype records = bytes.size() / LoginRecord::Size;
    if (records < 1 || records > TransferFile::MaxRecords)
        raiseError(ErrorNumber::BadRecordLength);
    const auto masters = ReadTransferHeader(bytes.left(LoginRecord::Size));
    if (!masters)
        raiseError(ErrorNumber::BadRecordLength);
    return TransferFile{*masters, bytes.mid(LoginRecord::Size, (records - 1) * LoginRecord::Size)};
}
