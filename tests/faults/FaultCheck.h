#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// What the next start found, as pellora_fault_op next-start reports it.
struct VaultState
{
    bool reported = false;
    qint64 records = -1;
    bool whole = false;
    QStringList live; // sorted, each with its decoded password
    int unreadable = 0;
    QMap<QString, QByteArray> files; // path relative to the home -> digest
};

VaultState ParseVaultState(const QByteArray &report);

// What a fault lost, judged against the state before the operation and after a clean run of
// it; empty when nothing was. The store is judged by its records, the append-only log not at
// all; every other file must be wholly one or the other, and no new file may remain.
QStringList Losses(const VaultState &before, const VaultState &after, const VaultState &now);
// True when now is the clean run's result.
bool IsComplete(const VaultState &after, const VaultState &now);

// What a power cut right after a clean run could still undo, from its counted calls in order
// ("call path"): a file written but not synced since, or a folder whose names changed (rename,
// link, unlink, mkdir) without a sync of the folder since. Lock files hold no data.
QStringList UnsyncedChanges(const QStringList &calls);
