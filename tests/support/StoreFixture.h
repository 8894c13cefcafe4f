#pragma once

#include "FakeUi.h"
#include "TempHome.h"
#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"

// A fresh data folder with its store path and a recording Ui.
struct StoreFixture
{
    TempHome home;
    FakeUi ui;
    QString dataFolder = home.dataFolder();
    QString loginFile = dataFolder + QStringLiteral("Pellora.lgn");
};

// A live record with the given texts, the way the editor would build it.
LoginRecord MakeRecord(const QByteArray &login, const QByteArray &description = "desc",
                       const QByteArray &passwordField = "field");
// An entry whose password field holds the password under the entry key.
LoginRecord Entry(qint16 id, const QByteArray &login, const QByteArray &password,
                  const QByteArray &entryKey, bool deleted = false);
// The records as a store file holds them.
QByteArray StoreBytes(const QList<LoginRecord> &records);
// Whole records of a store file, in file order.
QList<LoginRecord> ReadRecords(const QString &path);
// Every record's password under the key, or "<unreadable>", in file order.
QList<QByteArray> Passwords(const QString &path, const QByteArray &key);
