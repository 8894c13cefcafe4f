#pragma once

#include <QByteArray>
#include <QString>

#include "entries/PasswordTraits.h"
#include "log/WriteLog.h"

// The run's shared values, owned by the application and handed to the windows.
struct AppState
{
    QString LoginFile;
    QString LogFile;
    QString DataFolder;
    // The help file shown by the Help commands; empty when the program has none.
    QString HelpFile;
    bool FirstRun = true;

    bool LogStartup = false;
    bool LogMasterFailure = false;
    bool LogMasterChange = false;
    bool LogPwdChanges = false;
    bool LogExports = false;
    bool LogFileEncryption = false;
    bool UseNTEventLog = false;

    bool SplashDone = false;

    // The stored (pass-phrase encrypted) master values, not the master passwords.
    QByteArray ActiveMaster1;
    QByteArray ActiveMaster2;
    // ActiveMaster1 followed directly by ActiveMaster2: the key of every entry password.
    QByteArray entryKey() const { return ActiveMaster1 + ActiveMaster2; }

    LogTarget logTarget() const { return {LogFile, UseNTEventLog}; }

    QString EditMode;
    PasswordTraitSet PasswordTraits;
};
