#include "app/InstanceLock.h"

#include "app/DataFolder.h"

InstanceLock::InstanceLock(const QString &dataFolder)
    : m_path(JoinPath(dataFolder, QString::fromLatin1(kInstanceLockName)))
    , m_lock(m_path)
{
    m_lock.setStaleLockTime(0);
}

bool InstanceLock::acquire()
{
    return m_lock.isLocked() || m_lock.tryLock(0);
}

QString InstanceLock::failureMessage() const
{
    if (m_lock.error() == QLockFile::LockFailedError)
        return QString::fromLatin1(kAlreadyRunningMessage);
    return QStringLiteral("Pellora cannot create its lock file ") + m_path +
           QStringLiteral(", so it cannot make sure no other copy uses the vault.");
}
