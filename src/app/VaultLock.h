#pragma once

#include <QString>

inline constexpr char kAlreadyRunningMessage[] =
    "Pellora is already running. Only one copy can use the vault at a time.";
inline constexpr char kVaultLockName[] = "Pellora.lock";

// The one lock that keeps two writers of a vault apart: the window program holds it for its
// whole run, every other writer (and every writing operation of the core) for one operation.
// It is an advisory lock on "Pellora.lock" in the data folder, so the kernel lets go when a
// holder dies; nothing ever has to judge a lock stale. Holds nest within a process: a writing
// operation inside a run that holds the lock passes straight through.
class VaultLock
{
public:
    // How long a second writer waits for the holder before it gives up.
    static constexpr int BriefWaitMilliseconds = 3000;

    explicit VaultLock(const QString &dataFolder);
    ~VaultLock();
    VaultLock(const VaultLock &) = delete;
    VaultLock &operator=(const VaultLock &) = delete;

    // False when another process holds the vault (after waiting up to waitMilliseconds), or
    // when the lock file cannot be opened at all.
    bool acquire(int waitMilliseconds = 0);
    bool isHeld() const { return m_held; }
    // Why acquire() failed, in the user's words.
    QString failureMessage() const;
    // errno of the last failed acquire(); EWOULDBLOCK when another process holds the vault.
    int error() const { return m_error; }
    QString path() const { return m_path; }

private:
    QString m_path;
    bool m_held = false;
    int m_error = 0;
};

// Holds the vault lock for one writing operation; raises the classic error 70 with a plain
// description when another process keeps the vault.
class WriteGuard
{
public:
    explicit WriteGuard(const QString &dataFolder);
    WriteGuard(const WriteGuard &) = delete;
    WriteGuard &operator=(const WriteGuard &) = delete;

private:
    VaultLock m_lock;
};
