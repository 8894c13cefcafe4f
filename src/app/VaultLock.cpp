#include "app/VaultLock.h"

#include "app/DataFolder.h"
#include "platform/ClassicError.h"
#include "platform/DurableFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
struct Held
{
    int fd = -1;
    int count = 0;
};

// flock belongs to an open file description, so a process opens each lock file only once and
// counts its holders.
QHash<QString, Held> &heldLocks()
{
    static QHash<QString, Held> locks;
    return locks;
}

int openLockFile(const QByteArray &path)
{
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // A read-only vault can still be locked against other readers-turned-writers.
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    return fd;
}
} // namespace

VaultLock::VaultLock(const QString &dataFolder)
    : m_path(JoinPath(dataFolder, QString::fromLatin1(kVaultLockName)))
{}

VaultLock::~VaultLock()
{
    if (!m_held)
        return;
    auto it = heldLocks().find(m_path);
    if (it == heldLocks().end() || --it->count > 0)
        return;
    ::close(it->fd);
    heldLocks().erase(it);
}

bool VaultLock::acquire(int waitMilliseconds)
{
    if (m_held)
        return true;
    auto it = heldLocks().find(m_path);
    if (it != heldLocks().end()) {
        ++it->count;
        m_held = true;
        return true;
    }
    const int fd = openLockFile(QFile::encodeName(m_path));
    if (fd < 0) {
        m_error = errno;
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            m_error = errno;
            ::close(fd);
            return false;
        }
        if (waited.elapsed() >= waitMilliseconds) {
            m_error = EWOULDBLOCK;
            ::close(fd);
            return false;
        }
        QThread::msleep(20);
    }
    heldLocks().insert(m_path, Held{fd, 1});
    m_held = true;
    m_error = 0;
    return true;
}

QString VaultLock::failureMessage() const
{
    if (m_error == EWOULDBLOCK)
        return QString::fromLatin1(kAlreadyRunningMessage);
    return QStringLiteral("Pellora cannot create its lock file ") + m_path +
           QStringLiteral(", so it cannot make sure no other copy uses the vault.");
}

WriteGuard::WriteGuard(const QString &dataFolder)
    : m_lock(dataFolder)
{
    MakePath(dataFolder);
    if (m_lock.acquire(VaultLock::BriefWaitMilliseconds))
        return;
    if (m_lock.error() != EWOULDBLOCK)
        DurableFile::raiseErrno(m_lock.error());
    raiseError(ErrorNumber::PermissionDenied,
               QStringLiteral("Permission denied (another copy of Pellora is changing the "
                              "vault; try again when it is done)"));
}
