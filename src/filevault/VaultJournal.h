#pragma once

#include "filevault/FileKey.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The redo journal behind every vault pass, one per file being changed, in the data folder
// ("PelloraVault-XXXXXX.jnl", mode 0600).
//
// Protocol. Before the file's first byte changes, the journal is created with its head (the file's
// path, device, inode and length, the direction, and the file key sealed under the entry key),
// synced, and the folder synced. Then for each chunk k in file order: the chunk's new bytes, its
// offset and its sequence number k+1 go into slot k mod 2 with a checksum over all of them; the
// journal is synced; only then are the new bytes written over the file's own. The file is synced
// before the next chunk is recorded and after the last, so while a record is being written every
// chunk before it is on the disk. At the end the journal is removed and the folder synced.
//
// Recovery takes the valid slot with the highest sequence number. None means no byte of the file
// was touched, and the journal is dropped. Otherwise that chunk is written again from the slot
// (whatever a crash left of its overwrite), and the pass goes on from the chunk's end with the
// unsealed key, journaled the same way, to the end of the file: the result is byte for byte that
// of an uninterrupted pass. A torn slot fails its checksum, and the other slot, whose chunk is
// already on the disk, is taken instead.
class VaultJournal
{
public:
    // The most bytes one chunk holds.
    static constexpr qint64 ChunkSize = qint64(8) << 20;

    // Which file a journal guards, and how it is being changed.
    struct Subject
    {
        // The file's path as the pass opened it, in the file system's encoding.
        QByteArray path;
        bool encrypt = true;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        SealedFileKey key;
    };

    // One chunk's redo record.
    struct Record
    {
        quint64 sequence = 0;
        qint64 offset = 0;
        QByteArray bytes;
    };

    // Makes a new journal in dataFolder, on the disk before it returns; raises the classic error
    // when it cannot.
    static VaultJournal create(const QString &dataFolder, const Subject &subject);
    // Opens a journal for recovery; nothing when its head is incomplete (a crash while it was
    // being made, before any byte of its file changed). Raises the classic error when the journal
    // cannot be opened at all.
    static std::optional<VaultJournal> open(const QString &path);
    // The journals in dataFolder, by full path.
    static QStringList findIn(const QString &dataFolder);

    VaultJournal(VaultJournal &&other) noexcept;
    VaultJournal &operator=(VaultJournal &&) = delete;
    VaultJournal(const VaultJournal &) = delete;
    ~VaultJournal();

    const Subject &subject() const { return m_subject; }
    QString path() const { return m_path; }
    // The newest whole record; nothing when no record is whole.
    std::optional<Record> lastRecord() const;
    // Writes one record and syncs it; raises the classic error when it cannot.
    void record(quint64 sequence, qint64 offset, const char *bytes, qint64 length);
    // Removes the journal and syncs its folder; raises the classic error when it cannot.
    void remove();

private:
    VaultJournal(const QString &path, int fd, const Subject &subject);

    QString m_path;
    int m_fd = -1;
    Subject m_subject;
};
