#pragma once

#include "TempHome.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "entries/LoginEditorInput.h"
#include "entries/LoginRecord.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>
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
};

// A private home whose vault has its two masters set, and the program run against it.
class CliVault
{
public:
    static constexpr char kMaster1[] = "first master";
    static constexpr char kMaster2[] = "second-master";

    CliVault();

    // The program and the environment it runs in: this home, a pinned locale, no display.
    static QString program();
    static QProcessEnvironment environment();

    // Runs pellora-cli with args and stdin; waits for its end.
    CliRun run(const QStringList &args, const QByteArray &input = {}) const;
    // With --masters-stdin: the masters, then the further secret lines, each ended by LF.
    CliRun withMasters(const QStringList &args, const QStringList &secrets = {}) const;

    // Adds an entry through the core, as the window program's editor stores it.
    qint16 add(const LoginEditorInput &input);
    qint16 add(const QString &description, const QString &login, const QString &password);

    QString loginFile() const { return m_state.LoginFile; }
    QString logFile() const { return m_state.LogFile; }
    QString dataFolder() const { return m_state.DataFolder; }
    QString file(const QString &name) const { return m_home.file(name); }
    // The state the window program holds once logged in.
    AppState &state() { return m_state; }
    Settings &settings() { return m_settings; }
    QByteArray storeBytes() const;
    QList<LoginRecord> liveRecords() const;

private:
    TempHome m_home;
    Settings m_settings;
    AppState m_state;
};

// The lines of a text, without the empty one after the last LF.
QStringList Lines(const QString &text);
