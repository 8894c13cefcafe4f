#pragma once

#include "FileSizeLimit.h"
#include "StoreFixture.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "entries/EntryStore.h"
#include "master/MasterPasswords.h"

#include <gtest/gtest.h>

// One installation: its own folder, store, log and master passwords, sharing the test's home.
struct Installation
{
    Installation(const QString &folder, const QByteArray &master1, const QByteArray &master2)
    {
        QDir().mkpath(folder);
        state.LoginFile = folder + QStringLiteral("/Pellora.lgn");
        state.LogFile = folder + QStringLiteral("/Pellora.log");
        state.FirstRun = false;
        state.ActiveMaster1 = MasterValue(master1);
        state.ActiveMaster2 = MasterValue(master2);
    }

    qint16 add(const QByteArray &login, const QByteArray &password,
               const QByteArray &description = "desc")
    {
        LoginRecord r = Entry(0, login, password, state.entryKey());
        r.Description = FitText(description);
        r.CaseSensitive = r.RequireSpecial = true;
        return EntryStore(state.LoginFile, ui).add(r);
    }

    AppState state;
    FakeUi ui;
};

// Two installations whose masters differ; the transfer file's path holds blanks and non-ASCII.
struct TransferFixture
{
    TempHome home;
    Settings settings{home.file(QStringLiteral("Pellora.ini"))};
    Installation exporter{home.file(QStringLiteral("a")), "first-master", "second-master"};
    Installation importer{home.file(QStringLiteral("b")), "other-one-1", "other-two-22"};
    QString folder = home.file(QStringLiteral("my exports ÄÖ €"));
    QString transferFile = folder + QStringLiteral("/liste für später.pqx");
    TransferFixture() { QDir().mkpath(folder); }
};
