#pragma once

#include "StoreFixture.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "entries/EditorLogic.h"
#include "platform/Convert.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <gmock/gmock.h>
#include <ostream>

// Failures show texts, not their bytes.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// What one run of the program left: its exit code and what it printed.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
    bool operator==(const CliRun &) const = default;
    friend void PrintTo(const CliRun &r, std::ostream *os)
    {
        *os << "exit " << r.exitCode << ", out \"" << qPrintable(r.out) << "\", err \""
            << qPrintable(r.err) << '"';
    }
};

// A private home whose vault has its two masters set, and the program run against it.
struct CliVault
{
    static constexpr char kMasters[] = "first master\nsecond-master\n";

    TempHome home;
    Settings settings;
    // The state the window program holds once logged in.
    AppState state;

    CliVault();

    // The environment the program runs in: this home, a pinned locale, no display.
    static QProcessEnvironment environment();
    // Runs pellora-cli with args and stdin; waits for its end.
    CliRun run(const QStringList &args, const QByteArray &input = {},
               const QProcessEnvironment &env = environment()) const;
    // With --masters-stdin: the masters, then the further secret lines, each ended by LF.
    CliRun withMasters(const QStringList &args, const QStringList &secrets = {}) const;
    // The entry's password, as show --show-password prints it.
    QString password(qint16 id) const;

    // Adds an entry through the core, as the window program's editor stores it; returns its id.
    qint16 add(const QString &description, const QString &login, const QString &password,
               LoginEditorInput input = NewEntryInput());

    QByteArray storeBytes() const { return ReadFile(state.LoginFile); }
    // The log's events: each line's words, without its date and the user and date after them.
    QStringList logged() const;
};

// For EXPECT_PRED2, which shows both texts when it fails.
inline bool Has(const QString &text, const QString &part)
{
    return text.contains(part);
}
