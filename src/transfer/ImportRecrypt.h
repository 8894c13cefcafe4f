#pragma once

#include "transfer/TransferHeader.h"

#include <QByteArray>

// Re-enciphers every entry's 64-character password field from the exporting key (master1
// followed by master2) to entryKey, in memory, so the transfer file stays as exported. The
// length prefix and the password come out right because the cipher is a length-preserving
// stream; the rest of the field becomes filler. Returns false when a live entry's field was not
// written under the exporting key.
bool recryptimportfile(QByteArray &entries, const TransferMasters &exporting,
                       const QByteArray &entryKey);
