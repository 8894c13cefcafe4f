#pragma once

#include "cli/CommandLine.h"

#include <memory>

struct CommandContext;
class VaultLock;

// Opens the vault for one command the way the window program's start does: the data folder and
// its files, the vault lock (for the whole command when it writes, for a moment otherwise),
// recovery of interrupted work, the logging switches, the master login with its events, then
// the vault runs a crash left unfinished.
class Session
{
public:
    explicit Session(CommandContext &context);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // ExitCode::Done once the command may run; otherwise the reason has been shown.
    int open(Access access);

private:
    bool lockAndRecover(Access access);
    bool readSettings(QByteArray &stored1, QByteArray &stored2);
    bool logIn(const QByteArray &stored1, const QByteArray &stored2);
    void finishVaultRuns();

    CommandContext &m_context;
    std::unique_ptr<VaultLock> m_lock;
};

inline constexpr char kNoMastersMessage[] =
    "No master passwords have been set yet. Start Pellora to set them up.";
inline constexpr char kInvalidPasswordsMessage[] = "Invalid Password(s), try again!";
