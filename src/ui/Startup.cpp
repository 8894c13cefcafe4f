#include "ui/Startup.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "app/ProgramFolder.h"
#include "app/Recovery.h"
#include "app/Settings.h"
#include "app/VaultLock.h"
#include "crypto/Cipher.h"
#include "crypto/CryptoSelfTest.h"
#include "entries/EntryStore.h"
#include "filevault/OldVaultLeftovers.h"
#include "filevault/VaultRecovery.h"
#include "log/LogEvents.h"
#include "log/WriteLog.h"
#include "master/PreviousInstallation.h"
#include "master/StoreMasters.h"
#include "platform/ClassicError.h"
#include "platform/Clock.h"
#include "platform/CoreDumps.h"
#include "platform/Ui.h"
#include "ui/AppIdentity.h"
#include "ui/EntryCommands.h"
#include "ui/FileVaultCommands.h"
#include "ui/HelpCommands.h"
#include "ui/HelpWindow.h"
#include "ui/ListCommands.h"
#include "ui/LoginDialog.h"
#include "ui/MainWindow.h"
#include "ui/OptionsDialog.h"
#include "ui/QtUi.h"
#include "ui/SetupDialog.h"
#include "ui/SingleInstance.h"
#include "ui/SplashScreen.h"
#include "ui/StoreMastersDialog.h"
#include "ui/TipDialog.h"
#include "ui/TransferCommands.h"
#include "ui/ViewCommands.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {
constexpr char kSelfTestFailed[] =
    "Either there is a file missing, or the base cryptographic library is either out of date or "
    "missing. Re-install Pellora, and if you install/update IE4, this will bring your "
    "cryptographic libraries up to date.";

// A vault the user cannot write (a read-only folder or store, a backup on read-only media) is
// still opened for reading.
bool VaultIsReadOnly(const QString &dataFolder, const QString &loginFile)
{
    const QFileInfo store(loginFile);
    return !QFileInfo(dataFolder).isWritable() || (store.exists() && !store.isWritable());
}

// The run's end before the main window: a plain return unwinds every step.
struct EndOfRun
{
};
} // namespace

Startup::Startup(Ui &ui, AppState &state, Settings &settings, int splashMilliseconds)
    : m_ui(ui)
    , m_state(state)
    , m_settings(settings)
    , m_context{ui, state, settings}
    , m_splashMilliseconds(splashMilliseconds)
{}

Startup::~Startup() = default;

bool Startup::run()
{
    m_ui.pushBusy();
    try {
        steps();
    } catch (const ClassicError &e) {
        m_ui.message(QStringLiteral("An error has occurred in Loading the application ") +
                     e.text() + QLatin1Char(' ') + m_marker);
        m_goesOn = false;
    } catch (const EndOfRun &) {
        m_goesOn = false;
    }
    m_ui.popBusy();
    return m_goesOn;
}

void Startup::steps()
{
    m_state.HelpFile = JoinPath(ProgramFolder(), QString::fromLatin1(kHelpFileName));
    m_state.DataFolder = GetDataFolder();
    m_state.LogFile = JoinPath(m_state.DataFolder, QStringLiteral("Pellora.log"));
    m_state.LoginFile = JoinPath(GetDataFolder(), QStringLiteral("Pellora.lgn"));

    m_lock = std::make_unique<VaultLock>(m_state.DataFolder);
    m_readOnly = VaultIsReadOnly(m_state.DataFolder, m_state.LoginFile);
    const QString socket = InstanceSocketPath(m_state.DataFolder);
    if (!m_lock->acquire() && !(m_readOnly && m_lock->error() != EWOULDBLOCK)) {
        // The running copy comes to the front; only when it cannot be reached is this said.
        if (!ShowRunningInstance(socket))
            m_ui.message(m_lock->failureMessage());
        throw EndOfRun{};
    }
    m_instance = std::make_unique<InstanceServer>(socket, RaiseFrontWindow);
    if (!m_readOnly)
        RecoverInterruptedWork(m_ui, m_state.DataFolder, m_settings);

    m_state.FirstRun = true;
    bool *flags[] = {&m_state.LogStartup,    &m_state.LogMasterFailure, &m_state.LogMasterChange,
                     &m_state.LogPwdChanges, &m_state.LogExports,       &m_state.LogFileEncryption,
                     &m_state.UseNTEventLog};
    for (size_t i = 0; i < Setting::LogFlags.size(); ++i)
        *flags[i] = m_settings.getBool(Setting::LogFlags[i]);

    auto loginDialog = std::make_unique<LoginDialog>(m_context);

    int writeError = 0;
    const QString checkFolder = m_readOnly ? QDir::tempPath() : m_state.DataFolder;
    if (CryptoSelfTest(ProgramFolder(), checkFolder, &writeError) < 2) {
        if (writeError == ErrorNumber::DiskFull)
            m_ui.message(QStringLiteral("Pellora cannot run its start-up check because the disk "
                                        "holding ") +
                         checkFolder +
                         QStringLiteral(" is full (61 Disk full). Free some space and start "
                                        "Pellora again."));
        else
            m_ui.message(QString::fromLatin1(kSelfTestFailed));
        throw EndOfRun{};
    }

    m_marker = QStringLiteral("#9");
    if (!m_state.FirstRun) {
        m_marker = QStringLiteral("#10");
        m_marker = QStringLiteral("#11");
        m_marker = QStringLiteral("#12");
        m_ui.popBusy();
        const int outcome = loginDialog->exec();
        m_ui.pushBusy();
        if (outcome == LoginDialog::ProgramEnds) {
            m_exitCode = 0;
            throw EndOfRun{};
        }
        if (!loginDialog->LoginOK()) {
            m_marker = QStringLiteral("#13");
            if (m_state.LogMasterFailure) {
                m_marker = QStringLiteral("#14");
                LogRecord event = LogEvents::MasterLoginFailure(GetLoginUserName(), Clock::now());
                WriteLog(m_ui, m_state.logTarget(), event);
                m_marker = QStringLiteral("#15");
            }
            throw EndOfRun{};
        }
        m_marker = QStringLiteral("#16");
        if (m_state.LogStartup) {
            m_marker = QStringLiteral("#17");
            m_marker = QStringLiteral("#17.1");
            LogRecord event = LogEvents::SuccessfulStartup(GetLoginUserName(), Clock::now());
            m_marker = QStringLiteral("#17.2");
            WriteLog(m_ui, m_state.logTarget(), event);
            m_marker = QStringLiteral("#17.3");
        }
        m_marker = QStringLiteral("#18");
    } else if (const int entries = LiveEntryCount(m_state.LoginFile); entries > 0) {
        m_ui.popBusy();
        StoreMastersDialog storeMasters(m_context, entries);
        const int outcome = storeMasters.exec();
        m_ui.pushBusy();
        if (outcome == StoreMastersDialog::ProgramEnds)
            throw EndOfRun{};
    }
    loginDialog.reset();
    RecoverVaultRuns(m_ui, m_state.DataFolder,
                     m_settings.getBytes(Setting::Master1) + m_settings.getBytes(Setting::Master2));
    RemoveOldVaultLeftovers(m_state.DataFolder);

    auto splash = std::make_unique<SplashScreen>(m_splashMilliseconds);
    splash->show();

    m_marker = QStringLiteral(" #20");
    const QByteArray entryKey = m_state.FirstRun ? QByteArray()
                                                 : m_settings.getBytes(Setting::Master1) +
                                                       m_settings.getBytes(Setting::Master2);
    EntryStore store(m_state.LoginFile, m_ui, entryKey);
    if (!m_readOnly) {
        MigratePreviousInstallation(m_ui, ProgramFolder(), m_state.DataFolder, m_settings, store);
        store.compact();
    }

    m_main = std::make_unique<MainWindow>(m_context);
    InstallCommands(*m_main);
    while (!splash->done())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    m_main->show();
    splash.reset();
    m_ui.popBusy();
    m_goesOn = true;
    if (m_readOnly)
        m_ui.message(QStringLiteral("The vault in ") + m_state.DataFolder +
                     QStringLiteral(" is read-only: you can list the entries and copy passwords, "
                                    "but no change can be saved."));
    showMainWindow();
    m_ui.pushBusy();
}

void Startup::showMainWindow()
{
    if (m_state.FirstRun) {
        SetupDialog setup(m_context, *m_main, m_main.get());
        if (setup.exec() == SetupDialog::ProgramEnds)
            m_goesOn = false;
        return;
    }
    m_state.ActiveMaster1 = m_settings.getBytes(Setting::Master1);
    m_state.ActiveMaster2 = m_settings.getBytes(Setting::Master2);
    m_main->loadList();
    ShowTipOfTheDay(m_context, m_main.get());
}

void InstallCommands(MainWindow &main)
{
    InstallViewCommands(main);
    InstallListCommands(main);
    InstallEntryCommands(main);
    InstallHelpCommands(main);
    InstallFileVaultCommands(main);
    InstallTransferCommands(main);
    main.setCommand(MainCommand::Options, [&main] {
        OptionsDialog options(main.context(), main, &main);
        options.exec();
    });
}

int RunPellora()
{
    DisableCoreDumps();
    SetApplicationIdentity();
    QtUi ui;
    Settings settings;
    AppState state;
    Startup startup(ui, state, settings);
    if (!startup.run())
        return startup.exitCode();
    return QApplication::exec();
}
