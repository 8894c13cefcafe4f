#include "cli/Session.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "app/Recovery.h"
#include "app/Settings.h"
#include "app/VaultLock.h"
#include "cli/CliUi.h"
#include "cli/CommandContext.h"
#include "cli/ExitCode.h"
#include "cli/SecretSource.h"
#include "filevault/OldVaultLeftovers.h"
#include "filevault/VaultRecovery.h"
#include "log/LogEvents.h"
#include "log/WriteLog.h"
#include "master/MasterPasswords.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"

#include <QFile>

Session::Session(CommandContext &context)
    : m_context(context)
{}

Session::~Session() = default;

int Session::open(Access access)
{
    AppState &state = m_context.state;
    state.DataFolder = DataFolderPath();
    MakePath(state.DataFolder);
    QFile::setPermissions(state.DataFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    state.LogFile = JoinPath(state.DataFolder, QStringLiteral("Pellora.log"));
    state.LoginFile = JoinPath(state.DataFolder, QStringLiteral("Pellora.lgn"));

    if (!lockAndRecover(access))
        return ExitCode::Failed;
    QByteArray stored1;
    QByteArray stored2;
    if (!readSettings(stored1, stored2))
        return ExitCode::Failed;
    if (!MastersExist(stored1)) {
        m_context.ui.message(QString::fromLatin1(kNoMastersMessage));
        return ExitCode::Failed;
    }
    if (!logIn(stored1, stored2))
        return ExitCode::Failed;
    finishVaultRuns();
    return ExitCode::Done;
}

// A writer keeps the lock to its end. A reader takes it only to recover, and leaves recovery to
// the holder when the window program or another writer has the vault.
bool Session::lockAndRecover(Access access)
{
    const QString &folder = m_context.state.DataFolder;
    if (access == Access::Write) {
        m_lock = std::make_unique<VaultLock>(folder);
        if (!m_lock->acquire(VaultLock::BriefWaitMilliseconds)) {
            m_context.ui.message(m_lock->failureMessage());
            return false;
        }
        RecoverInterruptedWork(m_context.ui, folder, m_context.settings);
        return true;
    }
    VaultLock moment(folder);
    if (moment.acquire())
        RecoverInterruptedWork(m_context.ui, folder, m_context.settings);
    return true;
}

// A vault run's journal is sealed under the entry key, so it is finished only after the login,
// as the window program does; a reader leaves it to whoever holds the vault.
void Session::finishVaultRuns()
{
    const QString &folder = m_context.state.DataFolder;
    VaultLock moment(folder);
    if (!moment.acquire())
        return;
    RecoverVaultRuns(m_context.ui, folder, m_context.state.entryKey());
    RemoveOldVaultLeftovers(folder);
}

bool Session::readSettings(QByteArray &stored1, QByteArray &stored2)
{
    AppState &state = m_context.state;
    const Settings &settings = m_context.settings;
    try {
        bool *flags[] = {&state.LogStartup,    &state.LogMasterFailure, &state.LogMasterChange,
                         &state.LogPwdChanges, &state.LogExports,       &state.LogFileEncryption,
                         &state.UseNTEventLog};
        for (size_t i = 0; i < Setting::LogFlags.size(); ++i)
            *flags[i] = settings.getBool(Setting::LogFlags[i]);
        stored1 = settings.getBytes(Setting::Master1);
        stored2 = settings.getBytes(Setting::Master2);
        return true;
    } catch (const ClassicError &e) {
        m_context.ui.message(QStringLiteral("An error has occurred in Loading the application ") +
                             e.text());
        return false;
    }
}

bool Session::logIn(const QByteArray &stored1, const QByteArray &stored2)
{
    AppState &state = m_context.state;
    const QString typed1 = m_context.secrets.next(QStringLiteral("Master password 1"));
    const QString typed2 = m_context.secrets.next(QStringLiteral("Master password 2"));
    if (!LoginMatches(typed1, typed2, stored1, stored2)) {
        m_context.ui.message(QString::fromLatin1(kInvalidPasswordsMessage));
        if (state.LogMasterFailure) {
            LogRecord event = LogEvents::MasterLoginFailure(GetLoginUserName(), Clock::now());
            WriteLog(m_context.ui, state.logTarget(), event);
        }
        return false;
    }
    if (state.LogStartup) {
        LogRecord event = LogEvents::SuccessfulStartup(GetLoginUserName(), Clock::now());
        WriteLog(m_context.ui, state.logTarget(), event);
    }
    state.FirstRun = false;
    state.ActiveMaster1 = stored1;
    state.ActiveMaster2 = stored2;
    return true;
}
