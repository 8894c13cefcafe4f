#pragma once

#include "FakeUi.h"
#include "TempHome.h"
#include "entries/LoginRecord.h"

#include <QString>

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
// Whole records of a store file, in file order.
QList<LoginRecord> ReadRecords(const QString &path);
