#include "filevault/InPlaceCipher.h"

#include "crypto/Rc4Key.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Through a symbolic link the file it points to is replaced, and the link stays a link.
QString finalTarget(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.canonicalFilePath() : path;
}

// Makes the rename itself durable; a folder that refuses this loses nothing already renamed.
void syncFolder(const QString &folder)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

InPlaceCipher::InPlaceCipher(const QString &path)
    : m_path(path)
{}

InPlaceCipher::~InPlaceCipher()
{
    discardTemp();
}

bool InPlaceCipher::openSource()
{
    if (m_source.isOpen())
        return true;
    // Non-blocking, so that a named pipe is looked at and refused instead of waited on.
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    if (!m_source.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered,
                       QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    m_mode = st.st_mode & 07777;
    m_owner = st.st_uid;
    m_group = st.st_gid;
    m_size = st.st_size;
    return true;
}

CipherOutcome InPlaceCipher::run(const QByteArray &key)
{
    if (!openSource())
        return CipherOutcome::ReadFailed;
    if (m_size == 0)
        return CipherOutcome::Done;
    const CipherOutcome outcome = replace(key);
    m_source.close();
    discardTemp();
    return outcome;
}

CipherOutcome InPlaceCipher::replace(const QByteArray &key)
{
    const QString target = finalTarget(m_path);
    const QByteArray nativeTarget = QFile::encodeName(target);
    // A file the user may not write stays unwritten, as it would with an in-place write.
    if (target.isEmpty() || ::faccessat(AT_FDCWD, nativeTarget.constData(), W_OK, AT_EACCESS) != 0)
        return CipherOutcome::WriteFailed;

    const QString folder = QFileInfo(target).absolutePath();
    m_tempPath = QFile::encodeName(folder + QStringLiteral("/.pellora-XXXXXX"));
    const int fd = ::mkostemp(m_tempPath.data(), O_CLOEXEC);
    if (fd < 0) {
        m_tempPath.clear();
        return CipherOutcome::WriteFailed;
    }
    QFile temp;
    if (!temp.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return CipherOutcome::WriteFailed;
    }
    if (::fchmod(fd, m_mode) != 0)
        return CipherOutcome::WriteFailed;
    // Only a privileged user can hand the file back to another owner; for anyone else the new
    // file already has the owner the original had.
    if (m_owner != ::geteuid() || m_group != ::getegid()) {
        const int handedBack = ::fchown(fd, m_owner, m_group);
        Q_UNUSED(handedBack);
    }

    Rc4Stream stream(key);
    const CipherOutcome pumped = PumpCipher(m_source, temp, stream);
    if (pumped != CipherOutcome::Done)
        return pumped;
    if (::fsync(fd) != 0)
        return CipherOutcome::WriteFailed;
    temp.close();
    if (temp.error() != QFileDevice::NoError)
        return CipherOutcome::WriteFailed;
    if (::rename(m_tempPath.constData(), nativeTarget.constData()) != 0)
        return CipherOutcome::WriteFailed;
    m_tempPath.clear();
    syncFolder(folder);
    return CipherOutcome::Done;
}

void InPlaceCipher::discardTemp()
{
    if (m_tempPath.isEmpty())
        return;
    ::unlink(m_tempPath.constData());
    m_tempPath.clear();
}

CipherOutcome CipherFileInPlace(const QString &path, const QByteArray &key)
{
    return InPlaceCipher(path).run(key);
}
