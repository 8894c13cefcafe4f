#pragma once

#include "FakeUi.h"
#include "FixedTime.h"
#include "TempHome.h"
#include "app/AppState.h"
#include "app/DataFolder.h"
#include "filevault/DropFiles.h"
#include "filevault/InPlaceCipher.h"
#include "filevault/VaultRun.h"
#include "log/LogRecord.h"

#include <QDir>
#include <QRandomGenerator>
#include <functional>
#include <ostream>

// Readable failure output for texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

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
    for (const QByteArray &line : ReadFile(logFile).split('\n')) {
        if (!line.isEmpty())
            texts << QString::fromUtf8(line.mid(line.indexOf('\t') + 1));
    }
    return texts;
}

// Records what a vault run or a drop shows.
struct RecordingView : VaultView, DropView
{
    QStringList statuses;
    QList<int> progress;
    QList<bool> buttons;
    int opened = 0;
    int closed = 0;
    std::function<void(const QString &)> onStatus;

    void setStatus(const QString &text) override
    {
        statuses << text;
        if (onStatus)
            onStatus(text);
    }
    void setProgress(int value) override { progress << value; }
    void setButtonsEnabled(bool enabled) override { buttons << enabled; }
    void open() override { ++opened; }
    void close() override { ++closed; }
};

// A home with a store and a log, master values held, the clock and locale fixed, and a folder of
// files to work on.
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
