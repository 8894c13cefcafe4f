#include "FaultOperations.h"

#include "StoreFixture.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "crypto/Cipher.h"
#include "entries/EntryStore.h"
#include "entries/PasswordField.h"
#include "filevault/ProcessFiles.h"
#include "filevault/VaultJournal.h"
#include "master/MasterChange.h"
#include "master/MasterPasswords.h"
#include "platform/ClassicError.h"
#include "platform/Ui.h"
#include "transfer/TextExport.h"
#include "transfer/TransferExport.h"
#include "transfer/TransferImport.h"

#include <QDir>
#include <QFile>
#include <iterator>

namespace {
// The logins of entries 1000 to 1004; the odd ones are deleted, so that compaction has work.
const char *const kLogins[] = {"alice", "bob", "carol", "dan", "erin"};
// The file vault's file, outside the data folder.
constexpr char kVaultFile[] = "files/secret.bin";
const QByteArray kFilePassword = "file password";

LoginRecord entry(const QByteArray &login, const QByteArray &entryKey)
{
    return MakeRecord(login, "for " + login, *EncodePasswordField(login + "-pw", entryKey));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

class NoProgress : public TextExportView, public VaultView
{
public:
    void setProgress(int) override {}
    void showProgress(bool) override {}
    void showFinished(bool) override {}
    void setStatus(const QString &) override {}
    void setButtonsEnabled(bool) override {}
};

// A whole chunk and a short one, so that both journal slots are used.
QByteArray plain()
{
    QByteArray bytes(VaultJournal::ChunkSize + 1000, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + (i >> 11));
    return bytes;
}

// Encrypt or decrypt the file of two chunks, with or without "Add password to Pellora".
FaultOperation vaultOperation(const char *name, bool encrypt, bool addPassword)
{
    FaultOperation op{name, addPassword ? 1 : 0, {kVaultFile}, [=](FaultContext &c) {
                          const QFileInfo file(c.home + '/' + kVaultFile);
                          const VaultRun run{file.absolutePath(),
                                             {{file.fileName(), true}},
                                             QString::fromLatin1(kFilePassword),
                                             false,
                                             addPassword};
                          NoProgress view;
                          ProcessFiles(c.ui, c.state, view, run, encrypt, {});
                          return true;
                      }};
    op.prepare = [encrypt](FaultContext &c) {
        writeFile(c.home + '/' + kVaultFile,
                  encrypt ? plain() : Cipher::crypt(plain(), kFilePassword));
    };
    if (addPassword) {
        op.changedFiles << kFaultStore;
        // The password must never exist only in the user's memory.
        op.invariant = [](const VaultState &before, const VaultState &after,
                          const VaultState &now) {
            if (now.files.value(kVaultFile) != before.files.value(kVaultFile) &&
                now.live != after.live)
                return QStringList{QStringLiteral("file changed without its entry")};
            return QStringList();
        };
    }
    return op;
}

// One row of the table; the last argument, when given, adds to the common fixture.
FaultOperation operation(const char *name, int liveDelta, const QStringList &changedFiles,
                         const std::function<bool(FaultContext &)> &run,
                         const std::function<void(FaultContext &)> &prepare = nullptr)
{
    return {name, liveDelta, changedFiles, run, prepare};
}

} // namespace

const std::vector<FaultOperation> &FaultOperations()
{
    static const std::vector<FaultOperation> operations{
        operation("add", 1, {kFaultStore},
                  [](FaultContext &c) {
                      LoginRecord r = entry("frank", c.state.entryKey());
                      return EntryStore(c.state.LoginFile, c.ui).add(r) != 0;
                  }),
        operation("update", 0, {kFaultStore},
                  [](FaultContext &c) {
                      LoginRecord r = entry("carol the second", c.state.entryKey());
                      r.LoginID = 1002;
                      return EntryStore(c.state.LoginFile, c.ui).update(r);
                  }),
        operation("delete", -1, {kFaultStore},
                  [](FaultContext &c) { return EntryStore(c.state.LoginFile, c.ui).remove(1002); }),
        operation("compact", 0, {kFaultStore},
                  [](FaultContext &c) {
                      EntryStore(c.state.LoginFile, c.ui).compact();
                      return true;
                  }),
        operation("master-change", 0, {kFaultStore, kFaultSettings, kFaultLog},
                  [](FaultContext &c) {
                      bool changeFlag = true;
                      return ApplyMasters(c.ui, c.state, c.settings,
                                          QStringLiteral("new master one"),
                                          QStringLiteral("new master two"), changeFlag);
                  }),
        operation("import", 3, {kFaultStore},
                  [](FaultContext &c) {
                      QByteArray records;
                      for (const QByteArray login : {"gina", "hal", "ivy"})
                          records += entry(login, c.state.entryKey()).encode();
                      return ImportFile(c.ui, c.state.LoginFile, records, [] {}) == 3;
                  }),
        operation(
            "export", 0, {"export.ptf", kFaultLog},
            [](FaultContext &c) {
                return ExportFile(c.ui, c.state, c.settings, c.home + "/export.ptf");
            },
            [](FaultContext &c) { writeFile(c.home + "/export.ptf", "an older export"); }),
        operation(
            "text-export", 0, {"export.txt", kFaultLog},
            [](FaultContext &c) {
                NoProgress view;
                TextExportOptions options;
                options.description = options.password = true;
                return ExportTextFile(c.ui, c.state, c.settings, view, c.home + "/export.txt",
                                      options, TextExportMode::Replace);
            },
            [](FaultContext &c) { writeFile(c.home + "/export.txt", "an older text export\r\n"); }),
        operation("settings-save", 0, {kFaultSettings},
                  [](FaultContext &c) {
                      try {
                          c.settings.save(Setting::MainLeft, QStringLiteral("1234"));
                          return true;
                      } catch (const ClassicError &e) {
                          c.ui.message(e.text());
                          return false;
                      }
                  }),
        vaultOperation("vault-encrypt", true, false),
        vaultOperation("vault-enc-add", true, true),
        vaultOperation("vault-decrypt", false, false),
        vaultOperation("vault-dec-add", false, true),
    };
    return operations;
}

void PrepareFaultHome(FaultContext &c)
{
    c.settings.saveBytes(Setting::Master1, MasterValue("first master"));
    c.settings.saveBytes(Setting::Master2, MasterValue("second master"));
    c.settings.save(Setting::LogMasterChange, QStringLiteral("1"));
    c.settings.save(Setting::LogExports, QStringLiteral("1"));
    c.state = LoadFaultState(c.settings, c.state.DataFolder);
    QByteArray records;
    for (size_t i = 0; i < std::size(kLogins); ++i) {
        LoginRecord r = entry(kLogins[i], c.state.entryKey());
        r.LoginID = qint16(1000 + i);
        r.Deleted = i % 2 == 1;
        records += r.encode();
    }
    writeFile(c.state.LoginFile, records);
}

AppState LoadFaultState(Settings &settings, const QString &dataFolder)
{
    AppState state;
    state.DataFolder = dataFolder;
    state.LoginFile = dataFolder + QStringLiteral("Pellora.lgn");
    state.LogFile = dataFolder + QStringLiteral("Pellora.log");
    state.FirstRun = false;
    state.LogMasterChange = settings.getBool(Setting::LogMasterChange);
    state.LogExports = settings.getBool(Setting::LogExports);
    state.ActiveMaster1 = settings.getBytes(Setting::Master1);
    state.ActiveMaster2 = settings.getBytes(Setting::Master2);
    return state;
}
