#pragma once

#include <QLockFile>
#include <QString>

inline constexpr char kAlreadyRunningMessage[] =
    "Pellora is already running. Only one copy can use the vault at a time.";
inline constexpr char kInstanceLockName[] = "Pellora.lock";

// Keeps a second copy of the program away from the same vault: nothing else locks the store.
// The lock is held from a successful acquire() until the object goes. A lock left behind by a
// copy that is no longer running is taken over; a running copy's lock never goes stale by age.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &dataFolder);
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // False when another running copy holds the vault, or when the lock file cannot be made.
    bool acquire();
    // Why acquire() failed, in the user's words.
    QString failureMessage() const;
    bool isHeld() const { return m_lock.isLocked(); }
    QString path() const { return m_path; }

private:
    QString m_path;
    QLockFile m_lock;
};
