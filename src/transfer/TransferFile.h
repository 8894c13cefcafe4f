#pragma once

#include "transfer/TransferHeader.h"

#include <QByteArray>
#include <QString>

// A transfer file as read for an import: the header's masters and the entry records (whole
// records only; a shorter tail is ignored). The file itself is read once and never written.
struct TransferFile
{
    // A header and at most as many entries as a store can hold.
    static constexpr qint64 MaxRecords = 1 + 32767;

    TransferMasters masters;
    QByteArray entries;

    qsizetype entryCount() const;
};

// The file's bytes. Raises the classic error when it cannot be read, 59 when it is larger than
// any transfer file can be.
QByteArray ReadTransferBytes(const QString &path);
// Raises 59 "Bad record length" for bytes that hold no transfer header.
TransferFile ParseTransferFile(const QByteArray &bytes);
