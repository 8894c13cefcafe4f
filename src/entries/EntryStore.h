#pragma once

#include "entries/LoginRecord.h"

#include <QString>
#include <optional>

class Ui;

// The store file of login entries. Every operation opens the file, scans or writes, and closes
// it again; nothing is cached between calls. Failures are reported through the Ui with the
// operation's own message and the operation returns its default result.
class EntryStore
{
public:
    static constexpr qint16 FirstLoginID = 1000;

    // entryKey: the key the live entries are under, so that compaction and Add can refuse a
    // store that was not made with it; empty skips that part of the check.
    EntryStore(const QString &loginFile, Ui &ui, const QByteArray &entryKey = {});

    const QString &path() const { return m_path; }

    // Compacts, then appends; sets and returns the new LoginID, 0 on failure.
    qint16 add(LoginRecord &record);
    // The import's append: numbers after the last record, deleted or not, without compacting.
    // nullopt until the append has succeeded.
    std::optional<qint16> appendImported(LoginRecord &record);
    // Rewrites the entry with the record's LoginID and makes it live again.
    bool update(const LoginRecord &record);
    // Marks deleted the newest record whose LoginID is loginId or the current row's id.
    bool remove(qint16 loginId, std::optional<qint16> currentRowId = std::nullopt);
    // The live entry with that LoginID, or the all-zero record.
    LoginRecord load(qint16 loginId);
    // Drops deleted records; writes nothing when there are none, and leaves a store that does
    // not look like one exactly as it is (with one message). False when the store is unsound.
    bool compact();

private:
    qint16 append(LoginRecord &record);
    QString folder() const;

    QString m_path;
    Ui &m_ui;
    QByteArray m_entryKey;
};
