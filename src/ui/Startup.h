#pragma once

#include "ui/AppContext.h"

#include <QString>
#include <memory>

class InstanceServer;
class VaultLock;
class MainWindow;
class SplashScreen;

// Start-up in its fixed order: locations, logging flags, the cipher self-test, the login, the
// splash, migration of a previous installation, compaction, the main window, then either the
// first-run set-up or the list and a tip. Every step before the main window can end the run.
class Startup
{
public:
    // How long the splash stays before the main window may show; only code can shorten it.
    static constexpr int SplashMilliseconds = 3000;

    Startup(Ui &ui, AppState &state, Settings &settings,
            int splashMilliseconds = SplashMilliseconds);
    ~Startup();

    // True when the main window is up and the program goes on; false when the run ends here.
    bool run();
    MainWindow *mainWindow() const { return m_main.get(); }
    // What the windows are handed; it lives as long as the run, as they do.
    AppContext &context() { return m_context; }
    // The last progress marker passed; empty before the first.
    const QString &marker() const { return m_marker; }
    // The program's exit status when run() returned false: 0 when the user chose to end it
    // (Reset Passwords), 1 after a failure, a cancelled login or a refused second copy.
    int exitCode() const { return m_exitCode; }

private:
    void steps();
    bool login();
    void showMainWindow();

    Ui &m_ui;
    AppState &m_state;
    Settings &m_settings;
    AppContext m_context;
    int m_splashMilliseconds;
    QString m_marker;
    std::unique_ptr<VaultLock> m_lock;
    std::unique_ptr<InstanceServer> m_instance;
    std::unique_ptr<MainWindow> m_main;
    bool m_goesOn = false;
    bool m_readOnly = false;
    int m_exitCode = 1;
};

// Installs every command of the main window.
void InstallCommands(MainWindow &main);

// Runs the program: start-up, then the main window until it closes.
int RunPellora();
