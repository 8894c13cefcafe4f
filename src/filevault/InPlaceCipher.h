#pragma once

#include "platform/ClassicError.h"

#include <QByteArray>
#include <QString>
#include <functional>

// How a pass over one file ended.
enum class CipherOutcome {
    Done,
    // The file could not be read, or not written; not a byte of it has changed.
    ReadFailed,
    WriteFailed,
    // The journal could not be made; not a byte of the file has changed.
    JournalFailed,
    // A journal of an earlier pass still guards the file; not a byte of it has changed.
    Pending,
    // The pass stopped part way; its journal stays, and recovery finishes the file.
    Unfinished,
};

// Where a pass keeps its journal, and the key its copy of the file key is sealed under.
struct JournalPlace
{
    QString dataFolder;
    QByteArray entryKey;
};

// Enciphers or deciphers one file over its own bytes: the same inode, owner, group, mode,
// extended attributes and hard links, no second copy, and a journal that lets a crash at any
// moment be finished (see VaultJournal).
class InPlaceCipher
{
public:
    enum class Access { Ready, Unreadable, Unwritable };

    explicit InPlaceCipher(const QString &path);
    ~InPlaceCipher();
    InPlaceCipher(const InPlaceCipher &) = delete;
    InPlaceCipher &operator=(const InPlaceCipher &) = delete;

    // Opens the file for reading and writing. A missing or unreadable file, a folder or a pipe is
    // Unreadable (a pipe is refused without waiting on it); a file that can be read but not
    // changed (read-only, on read-only media, or with no write permission for anyone) is
    // Unwritable.
    Access open();
    // The pass under password, opening the file first when open() has not. An empty file stays
    // as it is. progress gets the bytes done so far after each chunk.
    CipherOutcome run(const QByteArray &password, bool encrypt, const JournalPlace &place,
                      const std::function<void(qint64)> &progress = {});
    // Why the last run failed.
    ClassicError failure() const { return m_failure; }

private:
    bool guardedByAnotherJournal(const QString &dataFolder) const;

    QString m_path;
    int m_fd = -1;
    Access m_access = Access::Unreadable;
    bool m_opened = false;
    qint64 m_size = 0;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    ClassicError m_failure;
};
