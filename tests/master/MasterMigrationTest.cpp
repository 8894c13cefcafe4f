#include "MasterFixture.h"
#include "entries/LoginStore.h"
#include "master/MigrationLoad.h"
#include "master/PreviousInstallation.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {
const QString kTypeMismatch = QStringLiteral("An error has occurred in Load 13 Type mismatch This "
                                             "is due to an older invalid password file.");
}

class MasterLoad : public MasterFixture
{
protected:
    LoginStore store{f.loginFile, f.ui};
    QByteArray key = storeMasters("first-master", "second-master");
    QString oldFile = f.home.file(QStringLiteral("old.lgn"));

    bool load() { return Load(f.ui, oldFile, settings, store); }
};

TEST_F(MasterLoad, LiveEntriesMigrateWithNewIdsAndUnchangedPasswordFields)
{
    LoginRecord existing = Entry(0, "already", "here", key);
    ASSERT_EQ(store.Addlogin(existing), 1000);
    const LoginRecord alice = Entry(7, "alice", "secret1", key);
    const LoginRecord bob = Entry(8, "bob", "gone", key, true);
    const LoginRecord carol = Entry(9, "carol", "pw two", key);
    WriteFile(oldFile, Bytes({alice, bob, carol}));

    EXPECT_TRUE(load());
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_EQ(f.ui.busyDepth, 0);
    const auto records = ReadRecords(f.loginFile);
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[1].LoginID, 1001);
    EXPECT_EQ(records[2].LoginID, 1002);
    EXPECT_EQ(records[1].Password, alice.Password);
    EXPECT_EQ(records[2].Password, carol.Password);
    EXPECT_EQ(TrimSpaces(records[2].Login), "carol");
    EXPECT_EQ(records[2].ExpireStart, carol.ExpireStart);
    EXPECT_EQ(*DecodePasswordField(records[1].Password, key), "secret1");
    EXPECT_EQ(ReadFile(oldFile), Bytes({alice, bob, carol})) << "the old file is only read";
}

TEST_F(MasterLoad, FileWrittenUnderOtherMastersAddsNothing)
{
    const QByteArray otherKey = MasterValue("other-one") + MasterValue("other-two");
    WriteFile(oldFile, Bytes({Entry(1, "a", "pw", otherKey), Entry(2, "b", "pw", key)}));
    EXPECT_FALSE(load());
    EXPECT_EQ(f.ui.messages(), QStringList{kTypeMismatch});
    EXPECT_FALSE(QFile::exists(f.loginFile));
    EXPECT_EQ(f.ui.busyDepth, 0);
}

TEST_F(MasterLoad, EntriesBeforeTheRejectedOneStay)
{
    const QByteArray otherKey = MasterValue("other-one") + MasterValue("other-two");
    WriteFile(oldFile, Bytes({Entry(1, "good", "pw", key), Entry(2, "bad", "pw", otherKey),
                              Entry(3, "later", "pw", key)}));
    EXPECT_FALSE(load());
    const auto records = ReadRecords(f.loginFile);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(TrimSpaces(records[0].Login), "good");
}

TEST_F(MasterLoad, FilesWithoutLiveEntriesLoadNothingSuccessfully)
{
    for (const QByteArray &content :
         {QByteArray(), QByteArray(217, '7'), Bytes({Entry(1, "x", "pw", "any key", true)})}) {
        WriteFile(oldFile, content);
        EXPECT_TRUE(load()) << content.size();
    }
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(f.loginFile));
}

TEST_F(MasterLoad, RandomBytesAreRejected)
{
    QByteArray noise(3 * LoginRecord::Size + 5, '\0');
    QRandomGenerator gen(20240301);
    for (char &c : noise)
        c = char(gen.bounded(256));
    noise[RecordOffset::Deleted] = 0;
    noise[RecordOffset::Deleted + 1] = 0;
    WriteFile(oldFile, noise);
    EXPECT_FALSE(load());
    EXPECT_EQ(f.ui.messages(), QStringList{kTypeMismatch});
    EXPECT_FALSE(QFile::exists(f.loginFile));
}

TEST_F(MasterLoad, MoreRecordsThanAStoreCanNumberAreRefusedBeforeAnyIsAdded)
{
    QByteArray huge = Bytes({Entry(1, "ok", "pw", key)});
    huge += QByteArray(32767 * LoginRecord::Size, '\0');
    WriteFile(oldFile, huge);
    EXPECT_FALSE(load());
    EXPECT_EQ(f.ui.messages(), QStringList{QStringLiteral(
                                   "An error has occurred in Load 6 Overflow This is due to an "
                                   "older invalid password file.")});
    EXPECT_FALSE(QFile::exists(f.loginFile));
}

TEST_F(MasterLoad, MissingFileIsReported)
{
    EXPECT_FALSE(load());
    EXPECT_EQ(f.ui.messages(), QStringList{QStringLiteral(
                                   "An error has occurred in Load 53 File not found This is due to "
                                   "an older invalid password file.")});
}

TEST_F(MasterLoad, StopsWhenTheStoreRefusesAnEntry)
{
    LoginRecord last = Entry(0, "last", "pw", key);
    last.LoginID = 32767;
    WriteFile(f.loginFile, last.encode());
    WriteFile(oldFile, Bytes({Entry(1, "a", "pw", key)}));
    EXPECT_FALSE(load()) << "a failed append is no successful load";
    EXPECT_EQ(f.ui.messages(),
              QStringList{QStringLiteral("An error has occurred in Addlogin 6 Overflow")});
}

class MasterPreviousInstallation : public MasterLoad
{
protected:
    QString programFolder = f.home.file(QStringLiteral("program"));
    QString found = programFolder + QStringLiteral("/Pellora.lgn");
    QString moved = f.dataFolder + QStringLiteral("Pelloralgn.old");
    QByteArray content = Bytes({Entry(1000, "alice", "secret1", key)});

    void SetUp() override
    {
        QDir().mkpath(programFolder);
        WriteFile(found, content);
    }
    void migrate()
    {
        MigratePreviousInstallation(f.ui, programFolder, f.dataFolder, settings, store);
    }
    QString movedMessage() const { return QStringLiteral("File moved to: ") + moved; }
};

TEST_F(MasterPreviousInstallation, YesLoadsThenMovesThePrivateCopy)
{
    f.ui.answers.enqueue(true);
    migrate();
    EXPECT_EQ(f.ui.asked,
              QStringList{QStringLiteral(
                  "Warning! \r\n\r\nA Pellora file from a previous installation has been found! "
                  "\r\nIf your master passwords are the same as the prior version of Pellora, this "
                  "file can automatically be loaded, otherwise select No to prevent errors. "
                  "\r\n\r\nIt is recommended that you export your older data from the earlier "
                  "installation, and then import your new data, to prevent any errors. Try to add "
                  "the older data? ")});
    EXPECT_EQ(f.ui.messages(),
              (QStringList{QStringLiteral("Previous Pellora Installation passwords loaded."),
                           movedMessage()}));
    EXPECT_FALSE(QFile::exists(found));
    EXPECT_EQ(ReadFile(moved), content);
    EXPECT_EQ(Mode(moved), 0600u);
    EXPECT_EQ(ReadRecords(f.loginFile).size(), 1);
}

TEST_F(MasterPreviousInstallation, NoStillMovesTheFileAndLoadsNothing)
{
    WriteFile(moved, "an older copy");
    f.ui.answers.enqueue(false);
    migrate();
    EXPECT_EQ(f.ui.messages(), QStringList{movedMessage()});
    EXPECT_FALSE(QFile::exists(found));
    EXPECT_EQ(ReadFile(moved), content) << "an existing copy is overwritten";
    EXPECT_FALSE(QFile::exists(f.loginFile));
}

TEST_F(MasterPreviousInstallation, RejectedLoadIsReportedAndTheFileStillMoves)
{
    storeMasters("new-master-1", "new-master-2");
    f.ui.answers.enqueue(true);
    migrate();
    EXPECT_EQ(f.ui.messages(),
              (QStringList{kTypeMismatch,
                           QStringLiteral("Previous Pellora Installation passwords load "
                                          "unsuccessful."),
                           movedMessage()}));
    EXPECT_FALSE(QFile::exists(found));
}

TEST_F(MasterPreviousInstallation, OnlyTheFirstFileByNameIsTakenAndOnlyOnce)
{
    WriteFile(programFolder + QStringLiteral("/Another.LGN"), "other");
    WriteFile(programFolder + QStringLiteral("/notes.txt"), "x");
    migrate();
    EXPECT_EQ(ReadFile(moved), QByteArray("other"));
    EXPECT_TRUE(QFile::exists(found));
    migrate();
    EXPECT_EQ(ReadFile(moved), content);
    migrate();
    EXPECT_EQ(f.ui.asked.size(), 2) << "nothing left to ask about";
}

TEST_F(MasterPreviousInstallation, FailedCopyLeavesTheFileInPlaceSilently)
{
    QDir().mkpath(moved);
    migrate();
    EXPECT_EQ(f.ui.asked.size(), 1);
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_EQ(ReadFile(found), content);
    EXPECT_TRUE(QFileInfo(moved).isDir());
}

TEST_F(MasterPreviousInstallation, CutOffCopyIsNeverKept)
{
    {
        FileSizeLimit limit(100);
        migrate();
    }
    EXPECT_TRUE(f.ui.shown.isEmpty());
    EXPECT_EQ(ReadFile(found), content);
    EXPECT_FALSE(QFile::exists(moved));
}

TEST_F(MasterPreviousInstallation, ProgramFolderThatIsTheDataFolderIsLeftAlone)
{
    WriteFile(f.loginFile, content);
    MigratePreviousInstallation(f.ui, f.dataFolder, f.dataFolder, settings, store);
    QDir::setCurrent(f.dataFolder);
    MigratePreviousInstallation(f.ui, QString(), f.dataFolder, settings, store);
    EXPECT_TRUE(f.ui.asked.isEmpty());
    EXPECT_EQ(ReadFile(f.loginFile), content);
    EXPECT_FALSE(QFile::exists(moved));
}
