#pragma once

#include "filevault/InPlaceCipher.h"

#include <QString>

// What a run tells about a file whose pass did not end well, after the opening that names the
// file (the reading or writing message): why, and what became of the file and of its entry.
QString VaultFailureMessage(const QString &name, CipherOutcome outcome, const ClassicError &failure,
                            bool encrypt, bool entryStored);

inline QString VaultReadingFailed(const QString &name)
{
    return QStringLiteral("An error reading the file has occurred, skipping ") + name;
}

inline QString VaultWritingFailed(const QString &name)
{
    return QStringLiteral("An error writing the file has occurred, skipping ") + name;
}
