#include "MasterFixture.h"
#include "entries/LoginStore.h"
#include "master/MigrationLoad.h"
#include "master/PreviousInstallation.h"

#include <QDir>

// A previous installation's program folder holding an old store under the current masters.
class MasterMigration : public MasterFixture
{
protected:
    LoginStore store{f.loginFile, f.ui};
    QByteArray key = storeMasters("first-master", "second-master");
    QString oldFile = f.home.file(QStringLiteral("old.lgn"));
    QString programFolder = f.home.file(QStringLiteral("program"));
    QString found = programFolder + QStringLiteral("/Pellora.lgn");
    QString moved = f.dataFolder + QStringLiteral("Pelloralgn.old");
    QString movedMessage = QStringLiteral("File moved to: ") + moved;
    QByteArray content = Bytes({Entry(1000, "alice", "secret1", key)});

    void SetUp() override
    {
        QDir().mkpath(programFolder);
        WriteFile(found, content);
    }
    bool load() { return Load(f.ui, oldFile, settings, store); }
    void migrate(bool answer)
    {
        f.ui.answers.enqueue(answer);
        MigratePreviousInstallation(f.ui, programFolder, f.dataFolder, settings, store);
    }
};

TEST_F(MasterMigration, LoadedLiveEntriesMigrateWithNewIdsAndUnchangedPasswordFields)
{
    LoginRecord existing = Entry(0, "already", "here", key);
    ASSERT_EQ(store.Addlogin(existing), 1000);
    const LoginRecord alice = Entry(7, "alice", "secret1", key);
    const LoginRecord carol = Entry(9, "carol", "pw two", key);
    WriteFile(oldFile, Bytes({alice, Entry(8, "bob", "gone", key, true), carol}));
    EXPECT_TRUE(load());
    EXPECT_TRUE(f.ui.shown.isEmpty());
    const QList<LoginRecord> records = ReadRecords(f.loginFile);
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(QList<qint16>({records[1].LoginID, records[2].LoginID}), QList<qint16>({1001, 1002}));
    EXPECT_EQ(records[1].Password, alice.Password);
    EXPECT_EQ(records[2].Password, carol.Password);
    EXPECT_EQ(TrimSpaces(records[2].Login), "carol");
}

// Files without live entries load nothing, successfully; a load the store stops is no success.
TEST_F(MasterMigration, LoadSucceedsWhenEveryLiveEntryIsStored)
{
    for (const QByteArray &content :
         {QByteArray(), QByteArray(217, '7'), Bytes({Entry(1, "x", "pw", "any key", true)})}) {
        WriteFile(oldFile, content);
        EXPECT_TRUE(load()) << content.size();
    }
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(f.loginFile));
    WriteFile(f.loginFile, Entry(32767, "last", "pw", key).encode());
    WriteFile(oldFile, Bytes({Entry(1, "a", "pw", key)}));
    EXPECT_FALSE(load());
    EXPECT_EQ(f.ui.messages(), QStringList{"An error has occurred in Addlogin 6 Overflow"});
}

TEST_F(MasterMigration, EitherAnswerMovesTheFileAndOnlyYesLoadsIt)
{
    for (const bool yes : {true, false}) {
        WriteFile(found, content);
        f.ui.shown.clear();
        migrate(yes);
        QStringList expected{movedMessage};
        if (yes)
            expected.prepend(QStringLiteral("Previous Pellora Installation passwords loaded."));
        EXPECT_EQ(f.ui.messages(), expected);
        EXPECT_FALSE(QFile::exists(found));
        EXPECT_EQ(ReadFile(moved), content) << "a second move replaces the first copy";
        EXPECT_EQ(FileMode(moved), 0600);
        EXPECT_EQ(ReadRecords(f.loginFile).size(), 1);
    }
}

TEST_F(MasterMigration, FileUnderOtherMastersIsRejectedAndStillMoves)
{
    storeMasters("new-master-1", "new-master-2");
    migrate(true);
    EXPECT_EQ(
        f.ui.messages(),
        QStringList({"An error has occurred in Load 13 Type mismatch This is due to an "
                     "older invalid password file.",
                     "Previous Pellora Installation passwords load unsuccessful.", movedMessage}));
    EXPECT_FALSE(QFile::exists(f.loginFile)) << "a file under other masters adds nothing";
    EXPECT_FALSE(QFile::exists(found));
    EXPECT_EQ(f.ui.busyDepth, 0);
}

// A copy that fails leaves the file in place; the data folder itself is never a previous one.
TEST_F(MasterMigration, WhatCannotOrNeedNotMoveStays)
{
    QDir().mkpath(moved);
    migrate(false);
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_EQ(ReadFile(found), content);
    f.ui.asked.clear();
    QDir(moved).removeRecursively();
    WriteFile(f.loginFile, content);
    MigratePreviousInstallation(f.ui, f.dataFolder, f.dataFolder, settings, store);
    EXPECT_TRUE(f.ui.asked.isEmpty());
    EXPECT_EQ(ReadFile(f.loginFile), content);
    EXPECT_FALSE(QFile::exists(moved));
}
