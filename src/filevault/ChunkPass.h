#pragma once

#include "platform/ClassicError.h"

#include <QtGlobal>
#include <atomic>
#include <functional>

class Rc4Stream;
class VaultJournal;

// Enciphers an open file over its own bytes from a given offset to its end, a chunk at a time,
// each chunk's new bytes journaled before they overwrite the old ones (the protocol is told with
// VaultJournal). The chunks together get exactly the bytes of one pass over the whole content.
class ChunkPass
{
public:
    enum class Outcome { Done, ReadFailed, WriteFailed };

    // The stream must stand where the pass starts.
    ChunkPass(int fd, qint64 size, VaultJournal &journal, Rc4Stream &stream);

    // Goes from offset to the end of the file; sequence numbers the first record. progress gets
    // the bytes done so far, from the start of the file, after each chunk.
    Outcome run(qint64 offset, quint64 sequence, const std::function<void(qint64)> &progress);
    // How many records this pass wrote: none means the file has not been touched by it.
    quint64 recorded() const { return m_recorded; }
    // Why the pass failed.
    ClassicError failure() const { return m_failure; }

private:
    int m_fd;
    qint64 m_size;
    VaultJournal &m_journal;
    Rc4Stream &m_stream;
    // Counted on the writing thread, read once it is done.
    std::atomic<quint64> m_recorded = 0;
    ClassicError m_failure;
};

// Moves the stream on by length bytes.
void SkipKeystream(Rc4Stream &stream, qint64 length);
// Writes all of data at offset, then syncs the file's data; raises the classic error.
void OverwriteAt(int fd, const char *data, qint64 length, qint64 offset);
