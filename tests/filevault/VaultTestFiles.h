#pragma once

#include "FakeUi.h"
#include "TempHome.h"
#include "app/AppState.h"
#include "filevault/DropFiles.h"
#include "filevault/VaultRun.h"

#include <QStringList>
#include <functional>

#include <csignal>
#include <ostream>
#include <sys/resource.h>

// Readable failure output for texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

QByteArray RandomBytes(qint64 size, quint32 seed);
quint64 InodeOf(const QString &path);
uint ModeOf(const QString &path);
// A file of that length holding no data blocks, so huge sizes cost nothing.
void MakeSparse(const QString &path, qint64 size);
void MakeFifo(const QString &path);
// Every name in the folder, hidden ones included.
QStringList FolderEntries(const QString &folder);
// The 45-character texts of the log file, in order.
QStringList LogTexts(const QString &logFile);

// Caps the size of any file this process writes, so writes fail as on a full disk even for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

struct RecordingVaultView : VaultView
{
    QStringList statuses;
    QList<int> progress;
    QList<bool> buttons;
    std::function<void(const QString &)> onStatus;

    void setStatus(const QString &text) override
    {
        statuses << text;
        if (onStatus)
            onStatus(text);
    }
    void setProgress(int value) override { progress << value; }
    void setButtonsEnabled(bool enabled) override { buttons << enabled; }
};

struct RecordingDropView : DropView
{
    QStringList statuses;
    QList<int> progress;
    int opened = 0;
    int closed = 0;
    std::function<void(const QString &)> onStatus;

    void open() override { ++opened; }
    void setStatus(const QString &text) override
    {
        statuses << text;
        if (onStatus)
            onStatus(text);
    }
    void setProgress(int value) override { progress << value; }
    void close() override { ++closed; }
};

// A home with a store and a log, master values held, the clock and locale fixed, and a folder of
// files to work on.
struct VaultFixture
{
    TempHome home;
    FakeUi ui;
    AppState state;
    QString folder;

    VaultFixture();
    ~VaultFixture();
    // Writes a file into the folder; its full path.
    QString put(const QString &name, const QByteArray &bytes) const;
    QString pathOf(const QString &name) const { return folder + QLatin1Char('/') + name; }
};
