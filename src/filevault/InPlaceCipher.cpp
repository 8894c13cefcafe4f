#include "filevault/InPlaceCipher.h"

#include "crypto/Rc4Key.h"
#include "filevault/ChunkPass.h"
#include "filevault/FileKey.h"
#include "filevault/VaultJournal.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool refusedWrite(int err)
{
    return err == EACCES || err == EPERM || err == EROFS || err == ETXTBSY;
}
} // namespace

InPlaceCipher::InPlaceCipher(const QString &path)
    : m_path(QFileInfo(path).absoluteFilePath())
{}

InPlaceCipher::~InPlaceCipher()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

InPlaceCipher::Access InPlaceCipher::open()
{
    if (m_opened)
        return m_access;
    m_opened = true;
    const QByteArray local = QFile::encodeName(m_path);
    // Non-blocking, so that a named pipe is looked at and refused instead of waited on.
    int fd = ::open(local.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    bool writable = fd >= 0;
    if (fd < 0 && refusedWrite(errno))
        fd = ::open(local.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return m_access = Access::Unreadable;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return m_access = Access::Unreadable;
    }
    // A file nobody may write is read-only, even to a user whom the system would let write it.
    if (!writable || (st.st_mode & 0222) == 0) {
        ::close(fd);
        return m_access = Access::Unwritable;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
    m_size = st.st_size;
    m_device = st.st_dev;
    m_inode = st.st_ino;
    return m_access = Access::Ready;
}

bool InPlaceCipher::guardedByAnotherJournal(const QString &dataFolder) const
{
    for (const QString &path : VaultJournal::findIn(dataFolder)) {
        try {
            const auto journal = VaultJournal::open(path);
            if (journal && journal->subject().device == m_device &&
                journal->subject().inode == m_inode)
                return true;
        } catch (const ClassicError &) {
            // A journal that cannot be read says nothing about this file.
        }
    }
    return false;
}

CipherOutcome InPlaceCipher::run(const QByteArray &password, bool encrypt,
                                 const JournalPlace &place,
                                 const std::function<void(qint64)> &progress)
{
    switch (open()) {
    case Access::Unreadable:
        return CipherOutcome::ReadFailed;
    case Access::Unwritable:
        return CipherOutcome::WriteFailed;
    case Access::Ready:
        break;
    }
    if (m_size == 0)
        return CipherOutcome::Done;
    if (guardedByAnotherJournal(place.dataFolder))
        return CipherOutcome::Pending;
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);

    const FileKey key = FileKeyFor(password);
    VaultJournal::Subject subject;
    subject.path = QFile::encodeName(m_path);
    subject.encrypt = encrypt;
    subject.device = m_device;
    subject.inode = m_inode;
    subject.size = m_size;
    subject.key = SealFileKey(key, place.entryKey);
    std::optional<VaultJournal> journal;
    try {
        journal.emplace(VaultJournal::create(place.dataFolder, subject));
    } catch (const ClassicError &e) {
        m_failure = e;
        return CipherOutcome::JournalFailed;
    }

    Rc4Stream stream(key.data(), key.size());
    ChunkPass pass(m_fd, m_size, *journal, stream);
    const ChunkPass::Outcome outcome = pass.run(0, 1, progress);
    if (outcome != ChunkPass::Outcome::Done) {
        m_failure = pass.failure();
        if (pass.recorded() > 0)
            return CipherOutcome::Unfinished;
        try {
            journal->remove();
        } catch (const ClassicError &) {
            // Left behind, it holds no record, and recovery drops it.
        }
        return outcome == ChunkPass::Outcome::ReadFailed ? CipherOutcome::ReadFailed
                                                         : CipherOutcome::WriteFailed;
    }
    try {
        journal->remove();
    } catch (const ClassicError &) {
        // The file is whole; recovery finds nothing left to do beyond rewriting its last chunk
        // with the same bytes and then drops the journal.
    }
    return CipherOutcome::Done;
}
