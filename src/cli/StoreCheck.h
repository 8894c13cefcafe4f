#pragma once

#include <QByteArray>
#include <QString>

struct StoreCheckResult
{
    bool passed = false;
    // What was found: the counts when it passed, the first fault otherwise.
    QString detail;
};

// Whether the store looks like one the program wrote: whole 218-byte records, no more than ids
// can number, LoginIDs strictly increasing within 1 to 32767, Deleted 0 or -1, and every live
// entry's password field deciphering under the entry key to a length an entry can hold.
StoreCheckResult CheckStoreIntegrity(const QString &loginFile, const QByteArray &entryKey);
