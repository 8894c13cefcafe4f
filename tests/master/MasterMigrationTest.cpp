#include "MasterFixture.h"
#include "entries/EntryStore.h"
#include "master/MigrationLoad.h"
#include "master/PreviousInstallation.h"

// A previous installation's program folder holding an old store under the current masters.
class MasterMigration : public MasterFixture
{
protected:
    EntryStore store{f.loginFile, f.ui};
    QByteArray key = storeMasters("first-master", "second-master");
    QString oldFile = f.home.file(QStringLiteral("old.lgn"));
    QString programFolder = f.home.file(QStringLiteral("program"));
    QString found = programFolder + QStringLiteral("/Pellora.lgn");
    QString moved = f.dataFolder + QStringLiteral("Pelloralgn.old");
    QString movedMessage = QStringLiteral("File moved to: ") + moved;
    QByteArray content = StoreBytes({Entry(1000, "alice", "secret1", key)});

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

// Files without live entries load nothing, successfully; a load the store stops is no success.
TEST_F(MasterMigration, LoadSucceedsWhenEveryLiveEntryIsStored)
{
    for (const QByteArray &content :
         {QByteArray(), QByteArray(217, '7'), StoreBytes({Entry(1, "x", "pw", "any key", true)})}) {
        WriteFile(oldFile, content);
        EXPECT_TRUE(load()) << content.size();
    }
    EXPECT_TRUE(f.ui.shown.isEmpty() && !QFile::exists(f.loginFile));
    WriteFile(f.loginFile, Entry(32767, "last", "pw", key).encode());
    WriteFile(oldFile, StoreBytes({Entry(1, "a", "pw", key)}));
    EXPECT_FALSE(load());
    EXPECT_EQ(f.ui.messages(), QStringList{"An error has occurred in Addlogin 6 Overflow"});
}

// A second move replaces the earlier copy.
TEST_F(MasterMigration, EitherAnswerMovesTheFileAndOnlyYesLoadsIt)
{
    const QString loaded = QStringLiteral("Previous Pellora Installation passwords loaded.");
    const std::tuple<bool, bool, QStringList> rows[] = {
        {false, false, {movedMessage}},
        {true,
         true,
         {"An error has occurred in Load 13 Type mismatch This is due to an older invalid "
          "password file.",
          "Previous Pellora Installation passwords load unsuccessful.", movedMessage}},
        {true, false, {loaded, movedMessage}}};
    for (const auto &[yes, otherMasters, told] : rows) {
        WriteFile(found, content);
        f.ui.shown.clear();
        storeMasters(otherMasters ? "new-master-1" : "first-master", "second-master");
        migrate(yes);
        EXPECT_EQ(f.ui.messages(), told);
        EXPECT_TRUE(!QFile::exists(found) && ReadFile(moved) == content && FileMode(moved) == 0600);
        EXPECT_EQ(ReadRecords(f.loginFile).size(), told.first() == loaded ? 1 : 0);
        EXPECT_EQ(f.ui.busyDepth, 0);
    }
}

// A copy that fails leaves the file in place; the data folder itself is never a previous one.
TEST_F(MasterMigration, WhatCannotOrNeedNotMoveStays)
{
    QDir().mkpath(moved);
    migrate(false);
    EXPECT_TRUE(f.ui.shown.isEmpty() && ReadFile(found) == content);
    f.ui.asked.clear();
    QDir(moved).removeRecursively();
    WriteFile(f.loginFile, content);
    MigratePreviousInstallation(f.ui, f.dataFolder, f.dataFolder, settings, store);
    EXPECT_TRUE(f.ui.asked.isEmpty() && !QFile::exists(moved));
    EXPECT_EQ(ReadFile(f.loginFile), content);
}
