// Runs one writing operation on the home that HOME, XDG_CONFIG_HOME and XDG_DATA_HOME point at,
// or what the next start does before it reads the vault, for the fault suite.
//   pellora_fault_op prepare <operation>   makes the fixture the operation runs on
//   pellora_fault_op run <operation>       exit 0: success reported, 3: failure reported
//   pellora_fault_op next-start            recovers, then prints the vault's state on stdout
// Every message the user would see goes to stderr, one line each, starting "message: ".
#include "FakeUi.h"
#include "FaultOperations.h"
#include "TempHome.h"

#include "app/AppState.h"
#include "app/DataFolder.h"
#include "app/Recovery.h"
#include "app/Settings.h"
#include "app/VaultLock.h"
#include "entries/LoginRecord.h"
#include "entries/PasswordField.h"
#include "filevault/VaultRecovery.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <cstdio>
#include <cstring>

namespace {
constexpr int kFailureReported = 3;

class StderrUi : public FakeUi
{
public:
    void message(const QString &text, const QString &title = {}) override
    {
        FakeUi::message(text, title);
        std::fprintf(stderr, "message: %s\n", qPrintable(QString(text).replace('\n', ' ')));
    }
};

// The report the suite compares: the store's records, each live entry with its password as
// decoded under the settings' masters ("?" when it does not decode), and every file's digest.
void printVault(const QString &home, const AppState &state)
{
    const QByteArray bytes = ReadFile(state.LoginFile);
    std::printf("store %lld %d\n", qlonglong(bytes.size() / LoginRecord::Size),
                int(bytes.size() % LoginRecord::Size == 0));
    for (qsizetype at = 0; at + LoginRecord::Size <= bytes.size(); at += LoginRecord::Size) {
        QByteArray record = bytes.mid(at, LoginRecord::Size);
        if (ReadInt16(record.constData() + RecordOffset::Deleted) != 0)
            continue;
        const QByteArray field = record.mid(RecordOffset::Password, LoginRecord::TextWidth);
        const auto password = DecodePasswordField(field, state.entryKey());
        record.replace(RecordOffset::Password, LoginRecord::TextWidth,
                       QByteArray(LoginRecord::TextWidth, '\0'));
        std::printf("live %s %s\n", record.toHex().constData(),
                    password ? password->toHex().constData() : "?");
    }
    const QDir root(home);
    QDirIterator files(home, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile f(path);
        const QByteArray digest =
            f.open(QIODevice::ReadOnly)
                ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex()
                : QByteArray("unreadable");
        std::printf("file %s %s\n", qPrintable(root.relativeFilePath(path)), digest.constData());
    }
}
} // namespace

int main(int argc, char **argv)
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const FaultOperation *op = nullptr;
    for (const FaultOperation &known : FaultOperations())
        if (argc > 2 && std::strcmp(argv[2], known.name) == 0)
            op = &known;
    if (mode != QLatin1String("next-start") && !op) {
        std::fprintf(stderr, "usage: %s prepare|run <operation> | next-start\n", argv[0]);
        return 2;
    }
    StderrUi ui;
    const QString home = qEnvironmentVariable("HOME");
    const QString dataFolder = GetDataFolder();
    Settings settings;
    AppState state = LoadFaultState(settings, dataFolder);
    FaultContext context{ui, settings, state, home};
    if (mode == QLatin1String("prepare")) {
        PrepareFaultHome(context);
        if (op->prepare)
            op->prepare(context);
        return 0;
    }
    // The window program holds the vault for its whole run.
    VaultLock lock(dataFolder);
    if (!lock.acquire()) {
        ui.message(lock.failureMessage());
        return kFailureReported;
    }
    if (mode == QLatin1String("next-start")) {
        RecoverInterruptedWork(ui, dataFolder, settings);
        RecoverVaultRuns(ui, dataFolder, LoadFaultState(settings, dataFolder).entryKey());
        printVault(home, LoadFaultState(settings, dataFolder));
        return 0;
    }
    return op->run(context) && ui.shown.isEmpty() ? 0 : kFailureReported;
}
