#include "master/MasterChange.h"
#include "MasterFixture.h"
#include "app/AppState.h"

#include <QDir>

namespace {
const QList<QByteArray> kPasswords{"secret1", "an old one", QByteArray(62, 'z')};

QList<QByteArray> Passwords(const QString &path, const QByteArray &key)
{
    QList<QByteArray> out;
    for (const LoginRecord &r : ReadRecords(path))
        out << DecodePasswordField(r.Password, key).value_or("<unreadable>");
    return out;
}
} // namespace

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
        state.LoginFile = f.loginFile;
        state.LogFile = logFile;
        state.FirstRun = false;
        state.ActiveMaster1 = MasterValue("first-master");
        state.ActiveMaster2 = MasterValue("second-master");
        WriteFile(f.loginFile, Bytes(records));
    }

    bool apply(Settings &to)
    {
        return ApplyMasters(f.ui, state, to, QStringLiteral("new master one"),
                            QStringLiteral("new master two"), changeFlag);
    }

    void expectNothingChangedAfter(const QString &message)
    {
        EXPECT_EQ(f.ui.messages(), QStringList{message});
        EXPECT_EQ(ReadFile(f.loginFile), Bytes(records));
        EXPECT_EQ(state.entryKey(), oldKey);
        EXPECT_EQ(Settings().getBytes(Setting::Master2), MasterValue("second-master"));
        EXPECT_TRUE(changeFlag) << "the next Apply must re-encrypt";
        EXPECT_FALSE(QFile::exists(logFile));
        EXPECT_EQ(f.ui.busyDepth, 0);
    }
};

TEST_F(MasterChange, EveryPasswordSurvivesAndOnlyALoggedChangeIsLogged)
{
    changeFlag = false; // unedited boxes holding other masters still re-encrypt
    ASSERT_TRUE(apply(settings));
    EXPECT_EQ(state.entryKey(), newKey);
    EXPECT_EQ(Passwords(f.loginFile, newKey), kPasswords) << "deleted entries included";
    const QList<LoginRecord> after = ReadRecords(f.loginFile);
    ASSERT_EQ(after.size(), 3);
    for (int i = 0; i < 3; ++i) {
        LoginRecord r = after[i];
        r.Password = records[i].Password;
        EXPECT_EQ(r.encode(), records[i].encode()) << "only the password field changes " << i;
    }
    EXPECT_EQ(Mode(f.loginFile), 0600u);
    EXPECT_EQ(Settings().getBytes(Setting::Master2), MasterValue("new master two"));
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(logFile)) << "LogMasterChange is off";

    state.LogMasterChange = true;
    changeFlag = true;
    ASSERT_TRUE(apply(settings));
    EXPECT_FALSE(changeFlag);
    ASSERT_TRUE(apply(settings)); // nothing changed: nothing re-encrypted or logged
    EXPECT_EQ(Passwords(f.loginFile, newKey), kPasswords);
    const QList<QByteArray> lines = ReadFile(logFile).split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains("\tSuccessful Master Password Change, ")) << lines[0].constData();
}

TEST_F(MasterChange, FailuresLeaveStoreAndMastersAsTheyWere)
{
    state.LogMasterChange = true;
    {
        FileSizeLimit limit(300);
        EXPECT_FALSE(apply(settings));
    }
    expectNothingChangedAfter(
        QStringLiteral("An error has occurred in frmOptionsRedoCrypt 61 Disk full"));
    EXPECT_EQ(QDir(f.dataFolder).entryList(QDir::Files), QStringList{QStringLiteral("Pellora.lgn")})
        << "no temporary copy left behind";

    f.ui.shown.clear();
    Settings unwritable(unreachable(QStringLiteral("Pellora.ini")));
    EXPECT_FALSE(apply(unwritable));
    expectNothingChangedAfter(
        QStringLiteral("An error has occurred in frmOptionsApply 70 Permission denied"));
}
