#include "master/MasterChange.h"
#include "MasterFixture.h"
#include "app/AppState.h"
#include "app/Recovery.h"
#include "master/MasterChangeJournal.h"
#include "master/MasterValidation.h"
#include "master/RedoCrypt.h"
#include "platform/DurableFile.h"

#include <QProcess>
#include <functional>

const QList<QByteArray> kPasswords{"secret1", "an old one", QByteArray(62, 'z')};

class MasterChange : public MasterFixture
{
protected:
    AppState state;
    bool changeFlag = true;
    QByteArray oldKey = storeMasters("first-master", "second-master");
    QByteArray newKey = MasterValue("new master one") + MasterValue("new master two");
    QList<LoginRecord> records{Entry(1000, "alice", kPasswords[0], oldKey),
                               Entry(1001, "bob", kPasswords[1], oldKey, true),
                               Entry(1002, "carol", kPasswords[2], oldKey)};

    void SetUp() override
    {
        std::tie(state.LoginFile, state.LogFile, state.FirstRun) =
            std::tuple(f.loginFile, logFile, false);
        state.ActiveMaster1 = MasterValue("first-master");
        state.ActiveMaster2 = MasterValue("second-master");
        WriteFile(f.loginFile, StoreBytes(records));
    }

    bool apply()
    {
        return ApplyMasters(f.ui, state, settings, "new master one", "new master two", changeFlag);
    }
};

TEST_F(MasterChange, EveryPasswordSurvivesAndOnlyALoggedChangeIsLogged)
{
    changeFlag = false; // unedited boxes holding other masters still re-encrypt
    ASSERT_TRUE(apply());
    EXPECT_EQ(state.entryKey(), newKey);
    EXPECT_EQ(Passwords(f.loginFile, newKey), kPasswords) << "deleted entries included";
    QList<LoginRecord> after = ReadRecords(f.loginFile);
    for (int i = 0; i < after.size(); ++i)
        after[i].Password = records[i].Password; // only the password field changes
    EXPECT_EQ(StoreBytes(after), StoreBytes(records));
    EXPECT_EQ(FileMode(f.loginFile), 0600);
    EXPECT_EQ(Settings().getBytes(Setting::Master2), MasterValue("new master two"));
    EXPECT_TRUE(f.ui.shown.isEmpty() && !QFile::exists(logFile)) << "LogMasterChange is off";

    state.LogMasterChange = true;
    changeFlag = true;
    ASSERT_TRUE(apply() && !changeFlag);
    ASSERT_TRUE(apply()); // nothing changed: nothing re-encrypted or logged
    EXPECT_EQ(Passwords(f.loginFile, newKey), kPasswords);
    const QByteArray log = ReadFile(logFile);
    EXPECT_TRUE(log.count('\n') == 1 && log.contains("\tSuccessful Master Password Change, "));

    // The next start finishes a decided change and drops an undecided one.
    QFile::remove(logFile);
    namespace Journal = MasterChangeJournal;
    const Journal::NewMasters fresh{MasterValue("new master one"), MasterValue("new master two")};
    const QByteArray renewed = ReencryptedStore(StoreBytes(records), oldKey, newKey);
    // Where a kill can stop the change: after each of its durable steps.
    for (int stop = 0; stop < 4; ++stop) {
        WriteFile(f.loginFile, StoreBytes(records));
        storeMasters("first-master", "second-master");
        if (stop == 0)
            DurableFile::replace(Journal::stagedStorePath(f.loginFile), renewed);
        else
            Journal::stage(f.loginFile, renewed, fresh);
        if (stop >= 2)
            settings.saveAll({{Setting::Master1, fresh.value1}, {Setting::Master2, fresh.value2}});
        if (stop == 3)
            DurableFile::rename(Journal::stagedStorePath(f.loginFile), f.loginFile);
        Settings nextStart;
        RecoverInterruptedWork(f.ui, f.dataFolder, nextStart);
        const QByteArray key =
            nextStart.getBytes(Setting::Master1) + nextStart.getBytes(Setting::Master2);
        EXPECT_EQ(key, stop == 0 ? oldKey : newKey) << stop;
        EXPECT_EQ(Passwords(f.loginFile, key), kPasswords) << stop;
        EXPECT_EQ(QDir(f.dataFolder).entryList(QDir::Files),
                  QStringList({"Pellora.lgn", "Pellora.lock"}))
            << stop;
    }
    EXPECT_TRUE(f.ui.shown.isEmpty());
}

// The store and the held and stored masters still agree; changeFlag stays so Apply tries again.
TEST_F(MasterChange, FailuresLeaveStoreAndMastersAsTheyWere)
{
    state.LogMasterChange = true;
    WriteFile(f.home.file(QStringLiteral("plain-file")), "a file where a folder should be");
    Settings unwritable(f.home.file(QStringLiteral("plain-file/Pellora.ini")));
    Settings *target = &settings;
    QString box1 = "new master one", box2 = "new master two";
    std::optional<FileSizeLimit> full;
    QProcess other; // another copy holding the vault
    QByteArray foreign = StoreBytes(records);
    foreign.replace(2 * 218 + RecordOffset::Password, 64, *EncodePasswordField("x", "other"));
    const QString redo = "An error has occurred in frmOptionsRedoCrypt ";
    const std::pair<std::function<void()>, QString> rows[] = {
        {[&] { full.emplace(300); }, redo + "61 Disk full"},
        {[&] { target = &unwritable; },
         "An error has occurred in frmOptionsApply 76 Path not found"},
        {[&] { WriteFile(f.loginFile, foreign); },
         redo + "75 Path/File access error: the store was left unchanged, because 1 of its 2 "
                "entries cannot be read with these master passwords"},
        {[&] { QFile::resize(f.loginFile, 218 * 32768); }, redo + "6 Overflow"},
        {[&] { QFile::remove(f.loginFile), QDir().mkpath(f.loginFile); },
         redo + "75 Path/File access error"},
        {[&] {
             other.start("flock",
                         {"-o", f.dataFolder + "Pellora.lock", "sh", "-c", "echo; sleep 30"});
             other.waitForReadyRead(5000);
         },
         redo + "70 Permission denied (another copy of Pellora is changing the vault; try again "
                "when it is done)"},
        {[&] { box1 = "\u263a"; }, UnstorableMasterMessage(1)},
        {[&] { box2 = "\u263a"; }, UnstorableMasterMessage(2)},
    };
    for (const auto &[setUp, message] : rows) {
        f.ui.shown.clear();
        setUp();
        const QByteArray store = ReadFile(f.loginFile);
        EXPECT_FALSE(ApplyMasters(f.ui, state, *target, box1, box2, changeFlag));
        full.reset();
        other.kill();
        other.waitForFinished();
        EXPECT_EQ(f.ui.messages(), QStringList{message});
        EXPECT_TRUE(ReadFile(f.loginFile) == store && state.entryKey() == oldKey && changeFlag);
        EXPECT_EQ(Settings().getBytes(Setting::Master2), MasterValue("second-master"));
        EXPECT_FALSE(QFile::exists(logFile));
        EXPECT_EQ(QDir(f.dataFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList({"Pellora.lgn", "Pellora.lock"}));
        EXPECT_EQ(f.ui.busyDepth, 0);
        QDir(f.loginFile).removeRecursively();
        WriteFile(f.loginFile, StoreBytes(records));
        target = &settings, box1 = "new master one", box2 = "new master two";
    }

    // Unchanged masters are only stored again, and a failure to store them is told.
    changeFlag = false;
    EXPECT_FALSE(
        ApplyMasters(f.ui, state, unwritable, "first-master", "second-master", changeFlag));
    EXPECT_EQ(f.ui.messages().last(), "An error has occurred in frmOptionsApply 76 Path not found");
    EXPECT_EQ(ReadFile(f.loginFile), StoreBytes(records));
}
