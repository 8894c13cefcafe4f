#pragma once

#include <QByteArray>
#include <QString>

// Whether a store's records look like a store made under an entry key. Every password field
// starts with a two-digit length under that key, so a live entry whose field does not decode
// to two digits was not written with it.
struct StoreCheck
{
    int liveEntries = 0;
    // Live entries whose password field does not decode under the key.
    int undecodable = 0;
    // What makes the records no store at all (ids out of order or range, foreign Deleted
    // flags); empty when the structure is sound.
    QString structureProblem;

    bool structureSound() const { return structureProblem.isEmpty(); }
    bool sound() const { return structureSound() && undecodable == 0; }
    // One sentence on what is wrong, for a message naming the file; empty when sound.
    QString problem() const;
};

// records: whole 218-byte records. An empty entryKey checks the structure only.
StoreCheck CheckStore(const QByteArray &records, const QByteArray &entryKey);
// The store file's records read whole (a missing file is an empty store); raises the classic
// error of a failed read.
StoreCheck CheckStoreFile(const QString &loginFile, const QByteArray &entryKey);

// The one message for a store that compaction or Add leaves alone.
QString UnsoundStoreMessage(const QString &loginFile, const StoreCheck &check);
