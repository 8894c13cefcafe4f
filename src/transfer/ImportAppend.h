#pragma once

#include "platform/ClassicError.h"

#include <QByteArray>
#include <QString>
#include <optional>

struct ImportAppendResult
{
    qsizetype appended = 0;
    std::optional<ClassicError> failure;
};

// Appends the records to the store the way the import append numbers them: each after the
// last record, deleted or not, without compacting; 1000 in an empty store. The records keep
// every other byte. The store is replaced in one crash-safe write. When the 16-bit numbering or
// the store's record limit runs out, the records that fit are written and the failure is 6; when
// the store cannot be read or written, nothing is appended and the failure says why.
ImportAppendResult ImportAppend(const QString &loginFile, const QByteArray &records);
