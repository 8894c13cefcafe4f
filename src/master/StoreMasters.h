#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>

// A store that holds entries while no master passwords are stored (the settings were lost,
// unreadable, or the store came back from a backup alone) was made with masters the user may
// still know. Nothing is re-encrypted: the masters are checked against the store and stored.
struct StoredMasters
{
    QByteArray value1;
    QByteArray value2;
};

// The live entries of the store; 0 for a missing, unreadable or foreign-length file.
int LiveEntryCount(const QString &loginFile);
// The stored values of the typed masters when every live entry decodes under them.
std::optional<StoredMasters> MastersOpeningStore(const QString &loginFile, const QString &typed1,
                                                 const QString &typed2);
// Renames the store to "<store>.unreadable-YYYYMMDD" (a number added when that exists) and
// returns the new path; raises the classic error when it cannot. Nothing is deleted.
QString SetStoreAside(const QString &loginFile, const QDate &today);
