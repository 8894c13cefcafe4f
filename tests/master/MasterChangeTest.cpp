#include "master/MasterChange.h"
#include "MasterFixture.h"
#include "app/AppState.h"
#include "master/RedoCrypt.h"

#include <QDir>

namespace {
QList<QByteArray> Passwords(const QString &path, const QByteArray &key)
{
    QList<QByteArray> out;
    for (const LoginRecord &r : ReadRecords(path))
        out << DecodePasswordField(r.Password, key).value_or("<unreadable>");
    return out;
}

// Everything of a record but its password field.
QByteArray WithoutPassword(const LoginRecord &r)
{
    QByteArray bytes = r.encode();
    bytes.remove(RecordOffset::Password, LoginRecord::TextWidth);
    return bytes;
}

ino_t Inode(const QString &path)
{
    struct stat st
    {
    };
    stat(path.toLocal8Bit().constData(), &st);
    return st.st_ino;
}

} // namespace

class MasterChange : public MasterFixture
{
protected:
    AppState state;
    bool changeFlag = false;
    QByteArray oldKey = storeMasters("first-master", "second-master");
    QList<LoginRecord> records{Entry(1000, "alice", "secret1", oldKey),
                               Entry(1001, "bob", "an old one", oldKey, true),
                               Entry(1002, "carol", QByteArray(62, 'z'), oldKey)};
    QString logFile = f.dataFolder + QStringLiteral("Pellora.log");

    void SetUp() override
    {
        state.LoginFile = f.loginFile;
        state.LogFile = logFile;
        state.FirstRun = false;
        state.ActiveMaster1 = MasterValue("first-master");
        state.ActiveMaster2 = MasterValue("second-master");
        WriteFile(f.loginFile, Bytes(records));
    }

    bool apply(const QString &box1, const QString &box2)
    {
        return ApplyMasters(f.ui, state, settings, box1, box2, changeFlag);
    }

    void expectOldMastersEverywhere()
    {
        EXPECT_EQ(state.entryKey(), oldKey);
        Settings reread;
        EXPECT_EQ(reread.getBytes(Setting::Master1), MasterValue("first-master"));
        EXPECT_EQ(reread.getBytes(Setting::Master2), MasterValue("second-master"));
    }
};

TEST_F(MasterChange, EveryRecordDeletedIncludedReadsTheSameUnderTheNewMasters)
{
    changeFlag = true;
    ASSERT_TRUE(apply(QStringLiteral("new master one"), QStringLiteral("new master two")));
    const QByteArray newKey = MasterValue("new master one") + MasterValue("new master two");
    EXPECT_EQ(state.entryKey(), newKey);
    EXPECT_FALSE(changeFlag);
    EXPECT_EQ(Passwords(f.loginFile, newKey),
              (QList<QByteArray>{"secret1", "an old one", QByteArray(62, 'z')}));
    const auto after = ReadRecords(f.loginFile);
    ASSERT_EQ(after.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(WithoutPassword(after[i]), WithoutPassword(records[i])) << i;
        EXPECT_NE(after[i].Password, records[i].Password) << i;
    }
    EXPECT_EQ(Mode(f.loginFile), 0600u);
    Settings reread;
    EXPECT_EQ(reread.getBytes(Setting::Master1), MasterValue("new master one"));
    EXPECT_EQ(reread.getBytes(Setting::Master2), MasterValue("new master two"));
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_EQ(f.ui.busyDepth, 0);
}

TEST_F(MasterChange, ApplyWithoutEditingRewritesNothing)
{
    const ino_t before = Inode(f.loginFile);
    ASSERT_TRUE(apply(QStringLiteral("first-master"), QStringLiteral("second-master")));
    EXPECT_EQ(Inode(f.loginFile), before);
    EXPECT_EQ(ReadFile(f.loginFile), Bytes(records));
    expectOldMastersEverywhere();
}

TEST_F(MasterChange, EditedBackToTheSameMastersLeavesEveryEntryReadable)
{
    changeFlag = true;
    ASSERT_TRUE(apply(QStringLiteral("first-master"), QStringLiteral("second-master")));
    EXPECT_EQ(Passwords(f.loginFile, oldKey),
              (QList<QByteArray>{"secret1", "an old one", QByteArray(62, 'z')}));
}

TEST_F(MasterChange, UneditedBoxesWithOtherMastersStillReencrypt)
{
    ASSERT_TRUE(apply(QStringLiteral("new master one"), QStringLiteral("new master two")));
    EXPECT_EQ(Passwords(f.loginFile, state.entryKey())[0], "secret1");
}

TEST_F(MasterChange, FirstRunCreatesAnEmptyPrivateStoreAndStoresTheMasters)
{
    QFile::remove(f.loginFile);
    settings.saveBytes(Setting::Master1, "480275");
    state.FirstRun = true;
    state.ActiveMaster1.clear();
    state.ActiveMaster2.clear();
    changeFlag = true;
    ASSERT_TRUE(apply(QStringLiteral("new master one"), QStringLiteral("new master two")));
    EXPECT_FALSE(state.FirstRun);
    EXPECT_TRUE(QFile::exists(f.loginFile));
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 0);
    EXPECT_EQ(Mode(f.loginFile), 0600u);
    EXPECT_TRUE(MastersExist(Settings().getBytes(Setting::Master1)));
}

TEST_F(MasterChange, FailedReencryptionKeepsStoreAndMastersAndTheChangePending)
{
    state.LogMasterChange = true;
    WriteFile(f.home.file(QStringLiteral("plain-file")), "x");
    state.LoginFile = f.home.file(QStringLiteral("plain-file")) + QStringLiteral("/Pellora.lgn");
    changeFlag = true;
    EXPECT_FALSE(apply(QStringLiteral("new master one"), QStringLiteral("new master two")));
    EXPECT_EQ(f.ui.messages(),
              QStringList{QStringLiteral(
                  "An error has occurred in frmOptionsRedoCrypt 76 Path not found")});
    EXPECT_TRUE(changeFlag) << "the next Apply must re-encrypt";
    expectOldMastersEverywhere();
    EXPECT_FALSE(QFile::exists(logFile));
    EXPECT_EQ(f.ui.busyDepth, 0);
}

TEST_F(MasterChange, SettingsFailureTurnsTheStoreBackToTheHeldMasters)
{
    state.LogMasterChange = true;
    WriteFile(f.home.file(QStringLiteral("plain-file")), "x");
    Settings unwritable(f.home.file(QStringLiteral("plain-file")) + QStringLiteral("/Pellora.ini"));
    changeFlag = true;
    EXPECT_FALSE(ApplyMasters(f.ui, state, unwritable, QStringLiteral("new master one"),
                              QStringLiteral("new master two"), changeFlag));
    EXPECT_EQ(f.ui.messages(),
              QStringList{
                  QStringLiteral("An error has occurred in frmOptionsApply 70 Permission denied")});
    EXPECT_EQ(ReadFile(f.loginFile), Bytes(records));
    EXPECT_TRUE(changeFlag);
    expectOldMastersEverywhere();
    EXPECT_FALSE(QFile::exists(logFile));
}

TEST_F(MasterChange, LogsOneEventPerReencryptionOnlyWhenAskedTo)
{
    changeFlag = true;
    ASSERT_TRUE(apply(QStringLiteral("new master one"), QStringLiteral("new master two")));
    EXPECT_FALSE(QFile::exists(logFile));

    state.LogMasterChange = true;
    changeFlag = true;
    ASSERT_TRUE(apply(QStringLiteral("newer master 1"), QStringLiteral("newer master 2")));
    ASSERT_TRUE(apply(QStringLiteral("newer master 1"), QStringLiteral("newer master 2")));
    const QList<QByteArray> lines = ReadFile(logFile).split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains("\tSuccessful Master Password Change, ")) << lines[0].constData();
}

class MasterRedoCrypt : public MasterChange
{
protected:
    QByteArray newKey = MasterValue("new master one") + MasterValue("new master two");

    bool redo() { return RedoCrypt(f.ui, f.loginFile, oldKey, newKey); }
};

TEST_F(MasterRedoCrypt, EmptyStoreStaysEmpty)
{
    WriteFile(f.loginFile, {});
    EXPECT_TRUE(redo());
    EXPECT_EQ(QFileInfo(f.loginFile).size(), 0);
    EXPECT_TRUE(f.ui.shown.isEmpty());
}

TEST_F(MasterRedoCrypt, TrailingPartialRecordIsKeptAsItWas)
{
    WriteFile(f.loginFile, Bytes(records) + "tail");
    ASSERT_TRUE(redo());
    const QByteArray after = ReadFile(f.loginFile);
    EXPECT_EQ(after.size(), 3 * LoginRecord::Size + 4);
    EXPECT_TRUE(after.endsWith("tail"));
    EXPECT_EQ(Passwords(f.loginFile, newKey)[2], QByteArray(62, 'z'));
}

TEST_F(MasterRedoCrypt, StoreThatIsAFolderIsReported)
{
    QFile::remove(f.loginFile);
    QDir().mkpath(f.loginFile);
    EXPECT_FALSE(redo());
    EXPECT_EQ(f.ui.messages(), QStringList{QStringLiteral(
                                   "An error has occurred in frmOptionsRedoCrypt 75 Path/File "
                                   "access error")});
}

TEST_F(MasterRedoCrypt, FailedWriteLeavesTheStoreUntouched)
{
    bool ok = true;
    {
        FileSizeLimit limit(300);
        ok = redo();
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(f.ui.messages(), QStringList{QStringLiteral(
                                   "An error has occurred in frmOptionsRedoCrypt 61 Disk full")});
    EXPECT_EQ(ReadFile(f.loginFile), Bytes(records));
    EXPECT_EQ(QDir(f.dataFolder).entryList(QDir::Files), QStringList{QStringLiteral("Pellora.lgn")})
        << "no temporary copy left behind";
}

TEST_F(MasterRedoCrypt, StoreBeyondTheRecordNumbersIsRefusedUntouched)
{
    const QByteArray huge = Bytes(records) + QByteArray(32765 * LoginRecord::Size, '\0');
    WriteFile(f.loginFile, huge);
    EXPECT_FALSE(redo());
    EXPECT_EQ(f.ui.messages(), QStringList{QStringLiteral(
                                   "An error has occurred in frmOptionsRedoCrypt 6 Overflow")});
    EXPECT_EQ(ReadFile(f.loginFile), huge);
}
