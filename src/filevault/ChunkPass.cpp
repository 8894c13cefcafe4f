#include "filevault/ChunkPass.h"

#include "crypto/Rc4Key.h"
#include "filevault/VaultJournal.h"
#include "platform/DurableFile.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {
void writeAll(int fd, const char *data, qint64 length, qint64 offset)
{
    while (length > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(length), offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            DurableFile::raiseErrno(errno);
        }
        if (n == 0)
            raiseError(VbErr::DiskFull);
        data += n;
        length -= n;
        offset += n;
    }
}

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
            raiseError(VbErr::InputPastEndOfFile);
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
    QByteArray buffer(std::min(VaultJournal::ChunkSize, std::max<qint64>(m_size - offset, 0)),
                      Qt::Uninitialized);
    // The chunk written last is still on its way to the disk while the next one is read and
    // enciphered; it is synced before the next record may take its slot's turn.
    bool unsynced = false;
    while (offset < m_size) {
        const qint64 n = std::min(VaultJournal::ChunkSize, m_size - offset);
        try {
            readAll(m_fd, buffer.data(), n, offset);
        } catch (const VbError &e) {
            m_failure = e;
            return Outcome::ReadFailed;
        }
        m_stream.apply(reinterpret_cast<uint8_t *>(buffer.data()), size_t(n));
        try {
            if (std::exchange(unsynced, false))
                DurableFile::syncData(m_fd);
            m_journal.record(sequence++, offset, buffer.constData(), n);
            ++m_recorded;
            writeAll(m_fd, buffer.constData(), n, offset);
            ::sync_file_range(m_fd, offset, n, SYNC_FILE_RANGE_WRITE);
            unsynced = true;
        } catch (const VbError &e) {
            m_failure = e;
            return Outcome::WriteFailed;
        }
        offset += n;
        if (progress)
            progress(offset);
    }
    try {
        if (unsynced)
            DurableFile::syncData(m_fd);
    } catch (const VbError &e) {
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
    writeAll(fd, data, length, offset);
    DurableFile::syncData(fd);
}
