#include "FaultOperations.h"

#include "StoreFixture.h"
#include "app/AppState.h"
#include "app/Settings.h"
#include "entries/LoginStore.h"
#include "entries/PasswordField.h"
#include "master/MasterChange.h"
#include "master/MasterPasswords.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "transfer/TextExport.h"
#include "transfer/TransferExport.h"
#include "transfer/TransferImport.h"

#include <QDir>
#include <QFile>

namespace {
struct FixtureEntry
{
    qint16 id;
    const char *login;
    bool deleted;
};
// Deleted entries between live ones, so that compaction has work to do.
const FixtureEntry kEntries[] = {{1000, "alice", false},
                                 {1001, "bob", true},
                                 {1002, "carol", false},
                                 {1003, "dan", true},
                                 {1004, "erin", false}};

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

class NoProgress : public TextExportView
{
public:
    void setProgress(int) override {}
    void showProgress(bool) override {}
    void showFinished(bool) override {}
};

bool saveSetting(FaultContext &c, const SettingKey &key, const QString &value)
{
    try {
        c.settings.save(key, value);
        return true;
    } catch (const VbError &e) {
        c.ui.message(e.text());
        return false;
    }
}

std::vector<FaultOperation> makeOperations()
{
    const auto store = [](FaultContext &c) { return LoginStore(c.state.LoginFile, c.ui); };
    return {
        {"add",
         {},
         [store](FaultContext &c) {
             LoginRecord r = entry("frank", c.state.entryKey());
             return store(c).Addlogin(r) != 0;
         },
         1,
         {kFaultStore}},
        {"update",
         {},
         [store](FaultContext &c) {
             LoginRecord r = entry("carol the second", c.state.entryKey());
             r.LoginID = 1002;
             return store(c).updatelogin(r);
         },
         0,
         {kFaultStore}},
        {"delete",
         {},
         [store](FaultContext &c) { return store(c).deletelogin(1002); },
         -1,
         {kFaultStore}},
        {"compact",
         {},
         [store](FaultContext &c) {
             store(c).cleanup();
             return true;
         },
         0,
         {kFaultStore}},
        {"master-change",
         {},
         [](FaultContext &c) {
             bool changeFlag = true;
             return ApplyMasters(c.ui, c.state, c.settings, QStringLiteral("new master one"),
                                 QStringLiteral("new master two"), changeFlag);
         },
         0,
         {kFaultStore, kFaultSettings, kFaultLog}},
        {"import",
         {},
         [](FaultContext &c) {
             QByteArray records;
             for (const QByteArray login : {"gina", "hal", "ivy"})
                 records += entry(login, c.state.entryKey()).encode();
             return ImportFile(c.ui, c.state.LoginFile, records, [] {}) == 3;
         },
         3,
         {kFaultStore}},
        {"export",
         [](FaultContext &c) { writeFile(c.home + "/export.ptf", "an older export"); },
         [](FaultContext &c) {
             return ExportFile(c.ui, c.state, c.settings, c.home + "/export.ptf");
         },
         0,
         {"export.ptf", kFaultLog}},
        {"text-export",
         [](FaultContext &c) { writeFile(c.home + "/export.txt", "an older text export\r\n"); },
         [](FaultContext &c) {
             NoProgress view;
             TextExportOptions options;
             options.description = true;
             options.password = true;
             return ExportTextFile(c.ui, c.state, c.settings, view, c.home + "/export.txt", options,
                                   TextExportMode::Replace);
         },
         0,
         {"export.txt", kFaultLog}},
        {"settings-save",
         {},
         [](FaultContext &c) { return saveSetting(c, Setting::MainLeft, QStringLiteral("1234")); },
         0,
         {kFaultSettings}},
    };
}
} // namespace

const std::vector<FaultOperation> &FaultOperations()
{
    static const std::vector<FaultOperation> operations = makeOperations();
    return operations;
}

const FaultOperation *FindFaultOperation(const QString &name)
{
    for (const FaultOperation &op : FaultOperations())
        if (name == QLatin1String(op.name))
            return &op;
    return nullptr;
}

void PrepareFaultHome(FaultContext &c)
{
    c.settings.saveBytes(Setting::Master1, MasterValue("first master"));
    c.settings.saveBytes(Setting::Master2, MasterValue("second master"));
    c.settings.save(Setting::LogMasterChange, QStringLiteral("1"));
    c.settings.save(Setting::LogExports, QStringLiteral("1"));
    c.state = LoadFaultState(c.settings, c.state.DataFolder);
    QByteArray records;
    for (const FixtureEntry &e : kEntries) {
        LoginRecord r = entry(e.login, c.state.entryKey());
        r.LoginID = e.id;
        r.Deleted = e.deleted;
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
