#pragma once

#include "FileSizeLimit.h"
#include "FixedTime.h"
#include "RecordingView.h"
#include "StoreFixture.h"
#include "app/AppState.h"
#include "app/DataFolder.h"
#include "crypto/Cipher.h"
#include "filevault/InPlaceCipher.h"
#include "filevault/VaultJournal.h"
#include "log/LogRecord.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <sys/stat.h>

// The password the passes work with, and the size of a journal's chunk.
const QByteArray kKey = "file password";
constexpr qint64 kChunk = VaultJournal::ChunkSize;

inline QByteArray RandomBytes(qint64 size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char &c : bytes)
        c = char(random.generate());
    return bytes;
}

// Every name in the folder, hidden ones included, so a left-over temporary file shows.
inline QStringList FolderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// The 45-character texts of the log file, in order.
inline QStringList LogTexts(const QString &logFile)
{
    QStringList texts;
    for (const QByteArray &line : ReadFile(logFile).split('\n'))
        if (!line.isEmpty())
            texts << QString::fromUtf8(line.mid(line.indexOf('\t') + 1));
    return texts;
}

// A home with a store, a log, master values held, a fixed clock and a folder of files.
struct VaultFixture
{
    TempHome home;
    FakeUi ui;
    AppState state;
    QString folder = home.path() + QStringLiteral("/files");

    FixedTime time;

    VaultFixture()
    {
        state.DataFolder = home.dataFolder();
        state.LoginFile = state.DataFolder + QStringLiteral("Pellora.lgn");
        state.LogFile = state.DataFolder + QStringLiteral("Pellora.log");
        state.ActiveMaster1 = QByteArray("\x91master\0one", 11);
        state.ActiveMaster2 = "\xffmaster two";
        QDir().mkpath(folder);
    }
    // A log text as written at the fixed time.
    static QString logText(const QString &head)
    {
        return LogRecord::fit(head + QStringLiteral(", ") + GetLoginUserName() +
                              QStringLiteral("3/1/2024 10:00:00 AM"));
    }
    QString pathOf(const QString &name) const { return folder + QLatin1Char('/') + name; }
    JournalPlace place() const { return {state.DataFolder, state.entryKey()}; }
    // Writes a file into the folder; its full path.
    QString put(const QString &name, const QByteArray &bytes = {}) const
    {
        WriteFile(pathOf(name), bytes);
        return pathOf(name);
    }
};
