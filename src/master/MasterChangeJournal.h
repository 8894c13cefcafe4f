#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class Settings;

// A master change rewrites two files, the store and the settings, that no single rename can
// replace together, so it commits the way a database does:
//   1. the store, re-encrypted under the new entry key, is written whole beside the old one
//      ("Pellora.lgn.new", synced through its own rename);
//   2. the journal ("Pellora.masters", whole or absent for the same reason) records both new
//      master values: from this moment the change is decided;
//   3. the settings take both new values in one save;
//   4. the new store replaces the old one by rename;
//   5. the journal is removed.
// The next start (RecoverMasterChange) redoes 3 and 4 when it finds a journal (both are
// idempotent) and then removes it; without a journal it removes a staged store, so the change
// never happened. Store and settings thus always agree: all old, or all new.
namespace MasterChangeJournal {

inline constexpr char kJournalName[] = "Pellora.masters";
inline constexpr char kStagedStoreSuffix[] = ".new";

struct NewMasters
{
    QByteArray value1;
    QByteArray value2;
};

QString journalPath(const QString &loginFile);
QString stagedStorePath(const QString &loginFile);

// Steps 1 and 2; raises the classic error of a failed write, leaving nothing decided.
void stage(const QString &loginFile, const QByteArray &newStore, const NewMasters &masters);
// Step 3 (a no-op when the settings hold the values already).
void saveMasters(Settings &settings, const NewMasters &masters);
// Steps 4 and 5; raises on failure with the journal still in place.
void replaceStore(const QString &loginFile);
// Steps 3 to 5.
void complete(const QString &loginFile, Settings &settings, const NewMasters &masters);
// Undoes a decided change whose settings were not yet saved (after step 3 failed): removes the
// journal and the staged store. Raises when the journal cannot be removed.
void abandon(const QString &loginFile);

// The journal's masters when a change was decided and not finished.
std::optional<NewMasters> pending(const QString &loginFile);
// What a start does: finishes a decided change or drops an undecided one. True when there was
// anything to do; raises the classic error when finishing failed (it is tried again next time).
bool RecoverMasterChange(const QString &loginFile, Settings &settings);

} // namespace MasterChangeJournal
