#pragma once

#include "FileSizeLimit.h"
#include "StoreFixture.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "crypto/cPQCrypt.h"
#include "entries/LoginStore.h"
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
        state.ActiveMaster1 = Crypt().Encrypt(master1, QByteArray(Master::kPassPhrase));
        state.ActiveMaster2 = Crypt().Encrypt(master2, QByteArray(Master::kPassPhrase));
    }

    qint16 add(const QByteArray &login, const QByteArray &password,
               const QByteArray &description = "desc")
    {
        LoginRecord r =
            MakeRecord(login, description, *EncodePasswordField(password, state.entryKey()));
        r.CaseSensitive = r.RequireSpecial = true;
        return LoginStore(state.LoginFile, ui).Addlogin(r);
    }

    AppState state;
    FakeUi ui;
};

// A test home with settings and two installations whose masters differ. The transfer file's
// path holds blanks and non-ASCII characters.
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
