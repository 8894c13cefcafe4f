#pragma once

#include "FakeUi.h"
#include "TempHome.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "crypto/cPQCrypt.h"
#include "entries/LoginStore.h"
#include "entries/PasswordField.h"
#include "master/MasterPasswords.h"

#include <QDir>
#include <QList>
#include <QStringList>

// One installation: its own folder, store, log and master passwords, sharing the test's home.
struct Installation
{
    Installation(const QString &folder, const QByteArray &master1, const QByteArray &master2)
    {
        QDir().mkpath(folder);
        state.LoginFile = folder + QStringLiteral("/Pellora.lgn");
        state.LogFile = folder + QStringLiteral("/Pellora.log");
        state.FirstRun = false;
        state.ActiveMaster1 = Stored(master1);
        state.ActiveMaster2 = Stored(master2);
    }

    static QByteArray Stored(const QByteArray &master)
    {
        return Crypt().Encrypt(master, QByteArray(Master::kPassPhrase));
    }

    // Adds a live entry the way the editor does; returns its LoginID.
    qint16 add(const QByteArray &login, const QByteArray &password,
               const QByteArray &description = "desc")
    {
        LoginRecord r;
        r.Login = FitText(login);
        r.Description = FitText(description);
        r.Password = *EncodePasswordField(password, state.entryKey());
        r.ExpireDays = 30;
        r.ExpireStart = 45352.4166666667;
        r.CaseSensitive = true;
        r.RequireSpecial = true;
        r.MinLength = 6;
        r.MaxLength = 15;
        return LoginStore(state.LoginFile, ui).Addlogin(r);
    }

    // "login=password" for every live entry, in store order.
    QStringList clearEntries() const
    {
        QStringList out;
        for (const LoginRecord &r : ReadRecordsOf(state.LoginFile)) {
            if (r.Deleted)
                continue;
            const auto clear = DecodePasswordField(r.Password, state.entryKey());
            out << QString::fromLatin1(TrimSpaces(r.Login) + '=' +
                                       clear.value_or(QByteArray("<unreadable>")));
        }
        return out;
    }

    static QList<LoginRecord> ReadRecordsOf(const QString &path)
    {
        QList<LoginRecord> out;
        const QByteArray all = ReadFile(path);
        for (qsizetype off = 0; off + LoginRecord::Size <= all.size(); off += LoginRecord::Size)
            out << LoginRecord::decode(all.constData() + off);
        return out;
    }

    AppState state;
    FakeUi ui;
};

// A test home with settings and two installations whose masters differ.
struct TransferFixture
{
    TempHome home;
    Settings settings{home.file(QStringLiteral("Pellora.ini"))};
    Installation exporter{home.file(QStringLiteral("a")), "first-master", "second-master"};
    Installation importer{home.file(QStringLiteral("b")), "other-one-1", "other-two-22"};
    QString transferFile = home.file(QStringLiteral("list.pqx"));
};
