#pragma once

#include "entries/LoginRecord.h"

#include <QList>
#include <QString>
#include <optional>

class EntryStore;

// The entries deleted in this run, newest last. A deleted record keeps every field until the
// store is compacted, so bringing one back only makes its record live again; once compaction
// has dropped a record, its entry is forgotten here.
class DeletedEntries
{
public:
    // Notes an entry as it was just before its deletion.
    void remember(const LoginRecord &entry);
    bool isEmpty() const { return m_entries.isEmpty(); }
    qsizetype count() const { return m_entries.size(); }

    // Forgets the entries whose deleted record is no longer in the store.
    void forgetCompacted(const QString &loginFile);
    // Makes the newest remembered entry live again and returns its LoginID; nullopt when none
    // is left or the store failed (which the store reports).
    std::optional<qint16> restoreNewest(EntryStore &store);

private:
    QList<LoginRecord> m_entries;
};
