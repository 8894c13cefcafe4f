#include "filevault/ChunkPass.h"

#include "crypto/Rc4Key.h"
#include "filevault/VaultJournal.h"
#include "platform/DurableFile.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <future>
#include <unistd.h>
#include <utility>

namespace {
// A file that ends early was cut short under the pass; that is a failed read.
void readAll(int fd, char *data, qint64 length, qint64 offset)
{
    while (length > 0) {
        const ssize_t n = ::pread(fd, data, size_t(length), offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            DurableFile::raiseErrno(errno);
        }
        if (n == 0)
            raiseError(ErrorNumber::InputPastEndOfFile);
        data += n;
        length -= n;
        offset += n;
    }
}
} // namespace

ChunkPass::ChunkPass(int fd, qint64 size, VaultJournal &journal, Rc4Stream &stream)
    : m_fd(fd)
    , m_size(size)
    , m_journal(journal)
    , m_stream(stream)
{}

ChunkPass::Outcome ChunkPass::run(qint64 offset, quint64 sequence,
                                  const std::function<void(qint64)> &progress)
{
    // Three chunks are at work at once: the next one is read on one thread, this one enciphered
    // here, and the one before journaled and written over on another thread. The writes still
    // happen one chunk after the other, in the journal's order.
    const qint64 bufferSize =
        std::min(VaultJournal::ChunkSize, std::max<qint64>(m_size - offset, 0));
    QByteArray buffers[3];
    for (QByteArray &buffer : buffers)
        buffer = QByteArray(bufferSize, Qt::Uninitialized);
    const auto lengthAt = [this](qint64 at) {
        return std::min(VaultJournal::ChunkSize, m_size - at);
    };
    const auto readAhead = [this, &buffers, &lengthAt](int slot, qint64 at) {
        return std::async(std::launch::async, [this, chunk = buffers[slot].data(), at,
                                               n = lengthAt(at)] { readAll(m_fd, chunk, n, at); });
    };

    std::future<void> reading;
    std::future<void> writing;
    qint64 written = offset;
    // Waits for the chunk being written; false when it failed.
    const auto finishWriting = [&]() {
        if (!writing.valid())
            return true;
        try {
            writing.get();
        } catch (const ClassicError &e) {
            m_failure = e;
            return false;
        }
        if (progress)
            progress(written);
        return true;
    };
    if (offset < m_size)
        reading = readAhead(0, offset);
    bool unsynced = false;
    for (int slot = 0; offset < m_size; slot = (slot + 1) % 3) {
        const qint64 n = lengthAt(offset);
        char *chunk = buffers[slot].data();
        try {
            reading.get();
        } catch (const ClassicError &e) {
            const bool wroteAll = finishWriting();
            if (wroteAll)
                m_failure = e;
            return wroteAll ? Outcome::ReadFailed : Outcome::WriteFailed;
        }
        // The buffer it reads into held the chunk written two turns ago, which is done.
        if (offset + n < m_size)
            reading = readAhead((slot + 1) % 3, offset + n);
        m_stream.apply(reinterpret_cast<uint8_t *>(chunk), size_t(n));
        if (!finishWriting())
            return Outcome::WriteFailed;
        writing = std::async(std::launch::async, [this, chunk, n, offset, sequence, unsynced] {
            // The chunk before must be on the disk before this record may be made.
            if (unsynced)
                DurableFile::syncData(m_fd);
            m_journal.record(sequence, offset, chunk, n);
            ++m_recorded;
            DurableFile::writeAt(m_fd, chunk, n, offset);
            ::sync_file_range(m_fd, offset, n, SYNC_FILE_RANGE_WRITE);
        });
        unsynced = true;
        ++sequence;
        offset += n;
        written = offset;
    }
    if (!finishWriting())
        return Outcome::WriteFailed;
    try {
        if (unsynced)
            DurableFile::syncData(m_fd);
    } catch (const ClassicError &e) {
        m_failure = e;
        return Outcome::WriteFailed;
    }
    return Outcome::Done;
}

void SkipKeystream(Rc4Stream &stream, qint64 length)
{
    QByteArray scratch(std::min<qint64>(length, qint64(1) << 20), Qt::Uninitialized);
    while (length > 0) {
        const qint64 n = std::min<qint64>(length, scratch.size());
        stream.apply(reinterpret_cast<uint8_t *>(scratch.data()), size_t(n));
        length -= n;
    }
}

void OverwriteAt(int fd, const char *data, qint64 length, qint64 offset)
{
    DurableFile::writeAt(fd, data, length, offset);
    DurableFile::syncData(fd);
}
